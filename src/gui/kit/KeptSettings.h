#pragma once

#include <QVariantMap>

// A window whose choices survive the archive being loaded again ("Aggiorna archivio"): the frame asks it
// for them before it closes the window, and hands them to the window it opens on the new draws.
class KeptSettings {
public:
    virtual ~KeptSettings() = default;
    virtual QVariantMap keptSettings() const = 0;
    // Settings that no longer fit the archive (a date past its end) are brought inside it.
    virtual void restoreSettings(const QVariantMap& settings) = 0;
};
