#include "companion/ui/fieldlabel.h"

#include <QStyle>
#include <QTextDocument>

#include "companion/ui/boundedmemo.h"

namespace {

enum class Measure { SizeHint, MinimumSizeHint, HeightForWidth };

// Everything QLabel's size of a text depends on: the text, its font on this
// screen, how it is placed and wrapped, the box around it (margins, frame,
// the style's margins included), the limits set on the label, whether it
// shows a shortcut, and the direction of writing.
struct MeasureKey
{
    Measure measure;
    int width;
    QString text;
    QFont font;
    int dpi;
    int alignment;
    int indent;
    int margin;
    QMargins contents;
    int frameWidth;
    QSize minimum;
    QSize maximum;
    bool shortcut;
    Qt::LayoutDirection direction;

    bool operator==(const MeasureKey& o) const
    {
        return measure == o.measure && width == o.width && dpi == o.dpi && alignment == o.alignment &&
               indent == o.indent && margin == o.margin && contents == o.contents && frameWidth == o.frameWidth &&
               minimum == o.minimum && maximum == o.maximum && shortcut == o.shortcut &&
               direction == o.direction && text == o.text && font == o.font;
    }
};

uint qHash(const MeasureKey& key, uint seed = 0)
{
    return ::qHash(key.text, seed) ^ ::qHash(key.font, seed) ^ ::qHash(int(key.measure) * 65599 + key.width, seed);
}

// Sizes by what they were worked out from. A window resized many times
// asks for many widths: past this many sizes the store starts again.
constexpr int kMostRemembered = 8192;

BoundedMemo<MeasureKey, QSize>& remembered()
{
    static BoundedMemo<MeasureKey, QSize> sizes(kMostRemembered);
    return sizes;
}

MeasureKey keyOf(const QLabel& label, Measure measure, int width)
{
    // The style sets the font and margins as it polishes the label.
    label.ensurePolished();
    bool shortcut = false;
    if (label.buddy() && label.textFormat() != Qt::RichText)
        shortcut = label.style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, &label) != 0;
    return MeasureKey{measure,
                      width,
                      label.text(),
                      label.font(),
                      label.logicalDpiY(),
                      int(label.alignment()) | (label.wordWrap() ? int(Qt::TextWordWrap) : 0),
                      label.indent(),
                      label.margin(),
                      label.contentsMargins(),
                      label.frameWidth(),
                      label.minimumSize(),
                      label.maximumSize(),
                      label.buddy() != nullptr && shortcut,
                      label.layoutDirection()};
}

// Plain text only: a picture, or rich text with its own document, is
// measured by QLabel each time.
bool measuredAsText(const QLabel& label)
{
    const QString text = label.text();
    if (text.isEmpty())
        return false;
    switch (label.textFormat()) {
    case Qt::PlainText:
        return true;
    case Qt::AutoText:
        return !Qt::mightBeRichText(text);
    default:
        return false;
    }
}

} // namespace

FieldLabel::FieldLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

QSize FieldLabel::sizeHint() const
{
    if (!measuredAsText(*this))
        return QLabel::sizeHint();
    return remembered().get(keyOf(*this, Measure::SizeHint, -1), [this] { return QLabel::sizeHint(); });
}

QSize FieldLabel::minimumSizeHint() const
{
    if (!measuredAsText(*this))
        return QLabel::minimumSizeHint();
    return remembered().get(keyOf(*this, Measure::MinimumSizeHint, -1), [this] { return QLabel::minimumSizeHint(); });
}

int FieldLabel::heightForWidth(int width) const
{
    if (!measuredAsText(*this))
        return QLabel::heightForWidth(width);
    return remembered().get(keyOf(*this, Measure::HeightForWidth, width),
                        [this, width] { return QSize(0, QLabel::heightForWidth(width)); })
        .height();
}

int FieldLabel::rememberedSizes()
{
    return remembered().size();
}
