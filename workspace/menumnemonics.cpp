#include "workspace/menumnemonics.h"

namespace {

QString markedAt(const QString& text, int at, QString& used)
{
    used += text.at(at).toLower();
    QString marked = text;
    marked.insert(at, QLatin1Char('&'));
    return marked;
}

} // namespace

QString withMnemonic(const QString& text, QString& used)
{
    const int existing = text.indexOf(QLatin1Char('&'));
    if (existing >= 0 && existing + 1 < text.size() && text.at(existing + 1) != QLatin1Char('&')) {
        used += text.at(existing + 1).toLower();
        return text;
    }
    // Word starts first: they are what a reader expects to press.
    for (int i = 0; i < text.size(); ++i) {
        const bool wordStart = i == 0 || !text.at(i - 1).isLetterOrNumber();
        if (wordStart && text.at(i).isLetterOrNumber() && !used.contains(text.at(i).toLower()))
            return markedAt(text, i, used);
    }
    for (int i = 0; i < text.size(); ++i)
        if (text.at(i).isLetterOrNumber() && !used.contains(text.at(i).toLower()))
            return markedAt(text, i, used);
    return text;
}
