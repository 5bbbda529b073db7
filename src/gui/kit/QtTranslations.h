#pragma once

class QTranslator;

// Qt's own texts (file dialogs, standard buttons, context menus of text boxes) in Italian, like the
// rest of the program, whatever language the desktop is set to.
class QtTranslations {
public:
    // Installs Qt's Italian catalog in the running application, with the few texts it lacks
    // (ItalianQtTexts, owned by the returned translator); the translator belongs to the application. Returns nullptr when the catalog is not installed on this system (Qt's texts then
    // stay in English).
    static QTranslator* installItalian();
};
