#include "ui/widgets/ShortcutText.h"

#include <array>

#include <QString>

namespace {

struct KeyName {
    const char* ours;
    const char* qt;
};

// The key names Qt spells differently; "Enter" is the main Enter key, Qt's "Return".
constexpr std::array<KeyName, 3> kKeyNames = {{
    {"Enter", "Return"},
    {"BkSp", "Backspace"},
    {"PgDn", "PgDown"},
}};

QString QtKeyName(const QString& key) {
    for (const KeyName& name : kKeyNames) {
        if (key.compare(QLatin1String(name.ours), Qt::CaseInsensitive) == 0) {
            return QLatin1String(name.qt);
        }
    }
    return key;
}

}  // namespace

QKeySequence ShortcutFromText(std::string_view text) {
    const QString written = QString::fromUtf8(text.data(), text.size()).trimmed();
    // The key follows the last "+" that is not itself the key ("Ctrl++").
    qsizetype split = written.lastIndexOf(QLatin1Char('+'), written.size() - 2);
    const QString modifiers = split < 0 ? QString() : written.left(split + 1);
    const QString key = written.mid(split + 1);
    const QKeySequence sequence =
        QKeySequence::fromString(modifiers + QtKeyName(key), QKeySequence::PortableText);
    if (sequence.count() != 1) {
        return QKeySequence();
    }
    const Qt::Key named = sequence[0].key();
    const bool isKey =
        named != Qt::Key_unknown && named != 0 && (named < Qt::Key_Shift || named > Qt::Key_Meta);
    return isKey ? sequence : QKeySequence();
}
