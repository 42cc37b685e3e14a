#pragma once

#include <QDate>
#include <QLineEdit>
#include <QPointer>

class QCalendarWidget;

// A date typed as people write dates (typeddate::parse: "2020-05-01",
// "20200501" or the locale's short order with a four-digit year, shown as
// the placeholder), or picked from a calendar (the button at its end, or
// Alt+Down). What is typed is taken when the user is done (Enter or leaving
// the field); a text that is no date is refused with a message beside the
// field, and the field goes back to the date it had. An empty field is no
// date; date() then gives noDate(), the value that stands for it.
class StyledDateEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit StyledDateEdit(QWidget* parent = nullptr);

    // noDate() when empty.
    QDate date() const { return m_date.isValid() ? m_date : noDate(); }
    // An invalid date, or noDate() or one before it, empties the field.
    // Emits dateChanged when the date changes.
    void setDate(const QDate& date);
    void setNullableDate(const QDate& date) { setDate(date); }
    // Invalid when empty.
    QDate nullableDate() const { return m_date; }
    static QDate noDate() { return QDate(1800, 1, 1); }

    // How the date is shown once taken (a QDate format; "yyyy-MM-dd" unless
    // set).
    void setDisplayFormat(const QString& format);
    QString displayFormat() const { return m_format; }

    // The calendar of an empty field opens this many years before today
    // (a child's date of birth: 10; an adult's: 40); 0 opens on today.
    void setEmptyCalendarYearsAgo(int years) { m_emptyYearsAgo = years; }
    // The month the calendar opens on: the field's date, else today less the
    // years set above.
    QDate calendarStartMonth() const;
    // The calendar, shown under the field while it is open; null otherwise.
    QCalendarWidget* calendar() const;
    void showCalendar();

    // Why the last text taken was refused; empty when it was taken.
    QString refusal() const { return m_refusal; }

signals:
    void dateChanged(const QDate& date);
    // A typed text was not a date; message says so and how to type one.
    void refused(const QString& message);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void takeTypedText();
    void showDate();

    QDate m_date;
    QString m_format = QStringLiteral("yyyy-MM-dd");
    int m_emptyYearsAgo = 0;
    QString m_refusal;
    QPointer<QWidget> m_popup;
};
