#include "loader/ui/OpenDialogFilter.h"

#include <QStringList>

QString OpenDialogFilter(const std::string& tableFilter) {
    const QStringList parts = QString::fromStdString(tableFilter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(';', Qt::SkipEmptyParts).join(' ');
        QString filter = parts[i].trimmed();
        if (!filter.endsWith("(" + patterns + ")")) {
            filter += " (" + patterns + ")";
        }
        filters << filter;
    }
    return filters.join(";;");
}
