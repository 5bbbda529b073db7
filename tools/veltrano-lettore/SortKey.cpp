#include "SortKey.h"

#include <cmath>
#include <glib.h>

SortKey SortKey::fromNumber(double value) {
    SortKey key;
    key.kind = Kind::Number;
    key.number = value;
    return key;
}

SortKey SortKey::fromText(const std::string& utf8) {
    SortKey key;
    key.kind = Kind::Text;
    // A damaged file can yield bytes that are not UTF-8; those keep their bytes as the key.
    if (g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr)) {
        gchar* folded = g_utf8_casefold(utf8.data(), static_cast<gssize>(utf8.size()));
        key.folded = folded;
        g_free(folded);
    } else {
        key.folded = utf8;
    }
    return key;
}

bool SortKey::operator<(const SortKey& other) const {
    if (kind != other.kind)
        return kind < other.kind;
    switch (kind) {
    case Kind::Null:
        return false;
    case Kind::Number: {
        const bool nan = std::isnan(number);
        const bool otherNan = std::isnan(other.number);
        if (nan || otherNan)
            return !nan && otherNan;
        return number < other.number;
    }
    case Kind::Text:
        return folded < other.folded;
    }
    return false;
}
