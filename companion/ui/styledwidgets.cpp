#include "companion/ui/styledwidgets.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>
#include <QEvent>
#include <QPointer>
#include <QRegularExpressionValidator>

#include "companion/core/numbertext.h"
#include "companion/rules/money.h"
#include "companion/ui/boundedmemo.h"

StringLineEdit::StringLineEdit(QWidget* parent) : QLineEdit(parent) {}

LongTextEdit::LongTextEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setMinimumHeight(fontMetrics().lineSpacing() * 6);
}

void LongTextEdit::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    emit editingFinished();
}

namespace {

// Only keeps out what can never be an amount; the field's parser decides
// the rest by the user's locale (grouping by commas, points or spaces, a
// decimal comma, a dollar sign before or after). One for every amount box:
// each validator compiles its expression at its first use, and a page
// holds dozens of amounts.
const QValidator* amountValidator()
{
    static QPointer<QRegularExpressionValidator> shared;
    if (!shared) {
        static const QRegularExpression amount(
            QStringLiteral("^\\s*[-+\\x{2212}]?\\s*\\$?[0-9.,\\s\\x{00A0}\\x{202F}]{0,24}\\$?\\s*$"));
        // Goes with the application object, and is made again for the next.
        shared = new QRegularExpressionValidator(amount, QCoreApplication::instance());
    }
    return shared;
}

} // namespace

DoubleLineEdit::DoubleLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(amountValidator());
}

QString DoubleLineEdit::formatAmount(double value)
{
    return QString::fromStdString(taxrules::formatAmount(value));
}

void DoubleLineEdit::setValue(double value)
{
    setText(formatAmount(value));
}

double DoubleLineEdit::value() const
{
    double v = 0.0;
    return parseAmountText(text(), &v) ? v : 0.0;
}

StyledCheckBox::StyledCheckBox(QWidget* parent) : QCheckBox(parent) {}

ChoiceComboBox::ChoiceComboBox(QWidget* parent) : QComboBox(parent) {}

namespace {

// The width of a text in a font on a screen, as QFontMetrics::boundingRect
// gives it, remembered for this many texts.
constexpr int kMostTextWidths = 4096;

struct TextInFont
{
    QFont font;
    int dpi;
    QString text;
    bool operator==(const TextInFont& o) const { return dpi == o.dpi && text == o.text && font == o.font; }
};

uint qHash(const TextInFont& key, uint seed = 0)
{
    return ::qHash(key.text, seed) ^ ::qHash(key.font, seed) ^ uint(key.dpi);
}

int textWidth(const QFontMetrics& metrics, const TextInFont& key)
{
    static BoundedMemo<TextInFont, int> widths(kMostTextWidths);
    return widths.get(key, [&] { return metrics.boundingRect(key.text).width(); });
}

} // namespace

bool ChoiceComboBox::sizedByItsTexts() const
{
    if (sizeAdjustPolicy() != QComboBox::AdjustToContentsOnFirstShow || minimumContentsLength() != 0 ||
        isEditable() || !placeholderText().isEmpty())
        return false;
    for (int i = 0; i < count(); ++i)
        if (!itemIcon(i).isNull())
            return false;
    return true;
}

QSize ChoiceComboBox::measure() const
{
    // As the list box measures: the widest text (an empty box the width of
    // seven x), a line of the font high, then the frame and arrow the
    // style puts around it.
    const QFontMetrics metrics = fontMetrics();
    QSize size;
    if (count() == 0) {
        size.setWidth(7 * metrics.horizontalAdvance(QLatin1Char('x')));
    } else {
        for (int i = 0; i < count(); ++i)
            size.setWidth(qMax(size.width(), textWidth(metrics, {font(), logicalDpiY(), itemText(i)})));
    }
    size.setHeight(qMax(qCeil(QFontMetricsF(metrics).height()), 14) + 2);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, size, this);
}

QSize ChoiceComboBox::sizeHint() const
{
    m_measured = true;
    if (!sizedByItsTexts())
        return QComboBox::sizeHint();
    if (!m_size.isValid())
        m_size = measure();
    return m_size.expandedTo(QApplication::globalStrut());
}

QSize ChoiceComboBox::minimumSizeHint() const
{
    m_measured = true;
    if (!sizedByItsTexts())
        return QComboBox::minimumSizeHint();
    // Without a minimum length the list box's least size is measured as its
    // size, and kept on its own.
    if (!m_minimumSize.isValid())
        m_minimumSize = measure();
    return m_minimumSize.expandedTo(QApplication::globalStrut());
}

void ChoiceComboBox::showEvent(QShowEvent* event)
{
    // The list box measures again when it is first shown.
    if (!m_shown)
        m_size = QSize();
    m_shown = true;
    QComboBox::showEvent(event);
}

bool ChoiceComboBox::hasDropDownList() const
{
    // The list is a window of its own among the box's children.
    for (const QObject* child : children())
        if (child->isWidgetType() && static_cast<const QWidget*>(child)->isWindow())
            return true;
    return false;
}

void ChoiceComboBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_size = QSize();
    if (event->type() == QEvent::StyleChange)
        m_minimumSize = QSize();
    if (event->type() == QEvent::FontChange && !m_measured && !isEditable() && !hasDropDownList()) {
        // Nothing measured with the old font and no list to pass it to: the
        // box is only redrawn and measured anew.
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}
