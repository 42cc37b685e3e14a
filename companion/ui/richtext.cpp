#include "companion/ui/richtext.h"

#include "companion/ui/urlopener.h"

#include <QLabel>
#include <QTextDocument>
#include <QUrl>

QString plainToRichText(const QString& text)
{
    QString html = text.toHtmlEscaped();
    html.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    html.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return html;
}

QString linkToRichText(const QString& address, const QString& shownText)
{
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(address.toHtmlEscaped(), plainToRichText(shownText));
}

Qt::TextFormat messageTextFormat(const QString& message)
{
    const QString start = message.trimmed();
    if (start.startsWith(QLatin1Char('<')) && Qt::mightBeRichText(start))
        return Qt::RichText;
    return Qt::PlainText;
}

QLabel* makeMessageLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setOpenExternalLinks(false);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    QObject::connect(label, &QLabel::linkActivated, label, [](const QString& address) {
        UrlOpener::open(QUrl(address, QUrl::TolerantMode));
    });
    return label;
}
