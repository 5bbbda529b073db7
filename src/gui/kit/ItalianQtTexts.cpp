#include "gui/kit/ItalianQtTexts.h"

#include <cstring>

namespace {

struct Text {
    const char* english;
    const char* italian;
};

// Found by opening every dialog of the program with Qt 6.4's catalog installed.
constexpr Text Missing[] = {
    {"Pages", "Pagine"},
    {"Double Sided Printing", "Stampa fronte-retro"},
    {"Off", "Nessuna"},
    {"Long side binding", "Rilegatura sul lato lungo"},
    {"Short side binding", "Rilegatura sul lato corto"},
    {"Advanced", "Avanzate"},
    {"Folder", "Cartella"},
    {"%1 File", "File %1"},
};

} // namespace

QString ItalianQtTexts::translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                                  int /*n*/) const {
    // Only Qt's own classes: the program's texts are Italian already.
    if (!context || context[0] != 'Q' || !sourceText)
        return {};
    for (const Text& text : Missing)
        if (std::strcmp(sourceText, text.english) == 0)
            return QString::fromUtf8(text.italian);
    return {};
}
