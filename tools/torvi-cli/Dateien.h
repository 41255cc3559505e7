// The file commands of torvi-cli: info, resave and render.
#pragma once

#include <QString>
#include <QStringList>

namespace torvi::cli {

struct TDateiOptionen {
    QString output;
    double dpi = 150;
    int page = 0; // from 1; 0 for the active page
    bool json = false;
    QStringList positional;
};

// Each returns the exit code: 0 done, 2 the file could not be read or written.
int Info(const TDateiOptionen& o);
int Resave(const TDateiOptionen& o);
int Render(const TDateiOptionen& o);

} // namespace torvi::cli
