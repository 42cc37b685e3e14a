#pragma once

#include <QCheckBox>
#include <QComboBox>
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

// A list of choices on a page. A page's style gives its widgets their font
// as they are first polished; a plain list box answers any font change by
// building its drop-down list (a window of several widgets) to hand the
// font on, so a page of questions would build a list for every question.
// This one leaves the list to be built when it is first needed: built
// then, it takes the box's font and style as it is polished itself.
// Its size is the list box's own: the widest choice, in the box's style.
// The widths of the choices' texts are remembered by font: every page
// asks the same questions with the same answers (Yes, No, the provinces),
// and measuring a text lays it out whole.
class ChoiceComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ChoiceComboBox(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool hasDropDownList() const;
    // True for a box sized by its choices' texts alone (no pictures, no
    // typing, no minimum length or placeholder), which this class measures
    // itself; any other is measured by QComboBox.
    bool sizedByItsTexts() const;
    QSize measure() const;

    // Once measured, a font change must go through the list box, which
    // measures again.
    mutable bool m_measured = false;
    // The sizes measured, kept as the list box keeps its own: the size until
    // a change of font or style and the first show, the least size until a
    // change of style.
    mutable QSize m_size;
    mutable QSize m_minimumSize;
    bool m_shown = false;
};

class StyledCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit StyledCheckBox(QWidget* parent = nullptr);
};
