#include "companion/ui/styleddateedit.h"

#include "companion/core/typeddate.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

// The calendar button's arrow. The style makes the icon from image files,
// read again at each request: a page of dates would read them once per
// date. The pages' style sheets set no icons, so the application style's
// arrow is the one every date editor shows; it is made again only when the
// application's style changes.
struct ArrowCache
{
    QPointer<QStyle> madeBy;
    QIcon arrow;
};

ArrowCache& arrowCache()
{
    static ArrowCache cache;
    return cache;
}

// The icon's pixmaps go with the application, not after it.
void forgetArrow()
{
    arrowCache() = ArrowCache();
}

QIcon calendarArrow()
{
    ArrowCache& cache = arrowCache();
    QStyle* style = QApplication::style();
    if (!cache.madeBy || cache.madeBy != style) {
        if (cache.arrow.isNull())
            qAddPostRoutine(forgetArrow);
        cache.arrow = style->standardIcon(QStyle::SP_ArrowDown);
        cache.madeBy = style;
    }
    return cache.arrow;
}

} // namespace

StyledDateEdit::StyledDateEdit(QWidget* parent) : QLineEdit(parent)
{
    setPlaceholderText(typeddate::placeholder());
    QAction* pick = addAction(calendarArrow(), QLineEdit::TrailingPosition);
    pick->setObjectName(QStringLiteral("calendarButton"));
    pick->setToolTip(tr("Choose the date from a calendar"));
    connect(pick, &QAction::triggered, this, &StyledDateEdit::showCalendar);
    connect(this, &QLineEdit::editingFinished, this, &StyledDateEdit::takeTypedText);
}

void StyledDateEdit::setDate(const QDate& date)
{
    const QDate taken = date.isValid() && date > noDate() ? date : QDate();
    m_refusal.clear();
    const bool changed = taken != m_date;
    m_date = taken;
    showDate();
    if (changed)
        emit dateChanged(this->date());
}

void StyledDateEdit::setDisplayFormat(const QString& format)
{
    m_format = format;
    showDate();
}

void StyledDateEdit::showDate()
{
    setText(m_date.isValid() ? m_date.toString(m_format) : QString());
}

void StyledDateEdit::takeTypedText()
{
    if (isReadOnly())
        return;
    const QString typed = text().trimmed();
    if (typed.isEmpty()) {
        setDate(QDate());
        return;
    }
    // The date as shown is taken as it is, whatever its format.
    const QDate date = m_date.isValid() && typed == m_date.toString(m_format) ? m_date : typeddate::parse(typed);
    if (date.isValid() && date > noDate()) {
        setDate(date);
        return;
    }
    // Refused: the field keeps the date it had, and says why beside itself,
    // without a window to close.
    m_refusal = tr("\"%1\" is not a date. Type a date as %2.").arg(typed, typeddate::placeholder());
    showDate();
    QToolTip::showText(mapToGlobal(QPoint(0, height())), m_refusal, this);
    emit refused(m_refusal);
}

QDate StyledDateEdit::calendarStartMonth() const
{
    const QDate start = m_date.isValid() ? m_date : QDate::currentDate().addYears(-m_emptyYearsAgo);
    return QDate(start.year(), start.month(), 1);
}

QCalendarWidget* StyledDateEdit::calendar() const
{
    return m_popup ? m_popup->findChild<QCalendarWidget*>() : nullptr;
}

void StyledDateEdit::showCalendar()
{
    if (isReadOnly() || !isEnabled())
        return;
    // What was typed and not yet taken counts first.
    takeTypedText();
    delete m_popup;
    auto* popup = new QWidget(this, Qt::Popup);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    m_popup = popup;
    auto* layout = new QVBoxLayout(popup);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* calendar = new QCalendarWidget(popup);
    calendar->setObjectName(QStringLiteral("calendar"));
    calendar->setMinimumDate(noDate().addDays(1));
    if (m_date.isValid())
        calendar->setSelectedDate(m_date);
    const QDate month = calendarStartMonth();
    calendar->setCurrentPage(month.year(), month.month());
    layout->addWidget(calendar);
    connect(calendar, &QCalendarWidget::activated, this, [this, popup](const QDate& date) {
        setDate(date);
        popup->close();
    });
    connect(calendar, &QCalendarWidget::clicked, this, [this, popup](const QDate& date) {
        setDate(date);
        popup->close();
    });
    popup->move(mapToGlobal(QPoint(0, height())));
    popup->show();
    calendar->setFocus();
}

void StyledDateEdit::keyPressEvent(QKeyEvent* event)
{
    // As a date edit's pop-up opens: Alt+Down, or F4.
    if ((event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) || event->key() == Qt::Key_F4) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
