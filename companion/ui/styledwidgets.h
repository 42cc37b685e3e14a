#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "companion/ui/styleddateedit.h"

// The input widgets of form pages and wizard pages. Each is made with its
// parent only; pages bind them to fields by the object name "fld_" + name.

class StringLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit StringLineEdit(QWidget* parent = nullptr);
};

// A right-aligned amount. Accepts digits with an optional sign, decimal and
// grouping separators and a dollar sign; what they mean is the parser's
// (parseAmountText, by the user's locale). editingFinished() as QLineEdit.
class DoubleLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit DoubleLineEdit(QWidget* parent = nullptr);

    // Shown to the cent.
    void setValue(double value);
    // The amount typed (parseAmountText); 0 for an empty or unreadable text.
    double value() const;
    static QString formatAmount(double value);
};

// Free text of several lines, such as a tax note. Like a line edit it tells
// the page once the user is done (on leaving it), not at every key, so a
// note is stored once rather than recalculated per character.
class LongTextEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit LongTextEdit(QWidget* parent = nullptr);

signals:
    void editingFinished();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

class StyledCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit StyledCheckBox(QWidget* parent = nullptr);
};
