#include "companion/ui/basetaxpage.h"

#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "companion/core/messages.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fields.h"
#include "companion/ui/fieldlabel.h"
#include "companion/ui/formevents.h"
#include "companion/ui/styledwidgets.h"

namespace {

// The button a line gets when its amount comes from another form: "Go to
// Schedule 9" named "btnGoToSch9", from the form's short code. Nothing for a
// line without a linked form or one linked to a retired form.
struct GoToButton
{
    QString text;
    QString objectName;
};

GoToButton goToButtonFor(int formType)
{
    if (formType <= 0 || formType > FORMTYPE_LAST || Global_Forms_Info[formType].expired)
        return {};
    QString code = QString::fromUtf8(Global_Forms_Info[formType].code);
    QString compact = code;
    // Compiled once: a page asks for every line that leads to another form.
    static const QRegularExpression notAlphanumeric(QStringLiteral("[^A-Za-z0-9]"));
    compact.remove(notAlphanumeric);
    static const QString kSchedulePrefix = QStringLiteral("Sch. ");
    if (code.startsWith(kSchedulePrefix))
        code = QStringLiteral("Schedule ") + code.mid(kSchedulePrefix.size());
    return {BaseTaxPage::tr("Go to %1").arg(code), QStringLiteral("btnGoTo") + compact};
}

// Where the calendar of an empty date field opens, by the field's name: a
// dependant's date of birth about ten years back, an adult's about forty;
// any other date (of the tax year and the years around it) on today. The
// first pattern that matches counts.
struct CalendarStart
{
    const char* namePattern;
    int yearsAgo;
};

constexpr CalendarStart kCalendarStarts[] = {
    {"^BirthDate\\d+$", 10},          // the Dependants interview's children
    {"^DepBirthDate\\d+$", 10},
    {"^DependantBirthDate$", 10},
    {"BirthDate$", 40},                // the taxpayer's and the spouse's
};

int calendarYearsAgo(const QString& fieldName)
{
    // Compiled once: every date editor of every page asks.
    static const std::vector<QRegularExpression> patterns = [] {
        std::vector<QRegularExpression> compiled;
        for (const CalendarStart& start : kCalendarStarts)
            compiled.emplace_back(QLatin1String(start.namePattern));
        return compiled;
    }();
    for (size_t i = 0; i < patterns.size(); ++i)
        if (patterns[i].match(fieldName).hasMatch())
            return kCalendarStarts[i].yearsAgo;
    return 0;
}

enum Column { LineColumn = 0, LabelColumn = 1, EditorColumn = 2, NoteColumn = 3 };

// A text field allowed more than this many characters is free text (a tax
// note) and is edited over several lines; shorter ones are names, numbers
// and codes, typed on one line.
constexpr int kLongestSingleLine = 255;

QString valueText(const CField* field)
{
    switch (field->kind()) {
    case FieldKind::Float:
        return static_cast<const CFloatField*>(field)->shownText();
    case FieldKind::Bool:
        return static_cast<const CBoolField*>(field)->m_value ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return field->text();
    }
}

// A list may offer two answers that store one value ("Not answered" and "No"
// of a flag); the stored value is shown as the last, the definite answer.
int lastIndexOf(const QComboBox* combo, int value)
{
    for (int i = combo->count() - 1; i >= 0; --i)
        if (combo->itemData(i).toInt() == value)
            return i;
    return -1;
}

}  // namespace

BaseTaxPage::BaseTaxPage(CTaxData_Form* form, const std::vector<CField*>& fields, const QString& title,
                         QWidget* parent)
    : QWidget(parent), m_form(form), m_title(title)
{
    // signalCalc's arguments must be known by name for queued connections and spies.
    static const bool registered = (qRegisterMetaType<CField*>("CField*"),
                                    qRegisterMetaType<CTaxData_Form*>("CTaxData_Form*"), true);
    Q_UNUSED(registered);
    auto* grid = new QGridLayout;
    m_grid = grid;
    grid->setColumnStretch(LabelColumn, 1);
    grid->setColumnMinimumWidth(EditorColumn, 160);
    grid->setHorizontalSpacing(10);

    QFont headingFont = font();
    headingFont.setBold(true);

    m_bindings.reserve(fields.size());
    const std::vector<CTaxData_Form::PageAction> actions = form ? form->pageActions() : std::vector<CTaxData_Form::PageAction>();
    QString section;
    int row = 0;
    for (CField* f : fields) {
        if (f->isHidden())
            continue;
        if (f->section() != section) {
            section = f->section();
            if (!section.isEmpty()) {
                auto* heading = new FieldLabel(section, this);
                heading->setFont(headingFont);
                heading->setObjectName(QStringLiteral("section_%1").arg(row));
                grid->addWidget(heading, row++, LineColumn, 1, 3);
            }
        }
        const QString line = f->lineNumber();
        if (!line.isEmpty()) {
            auto* lineLabel = new FieldLabel(line, this);
            lineLabel->setObjectName(QStringLiteral("line_") + f->name());
            lineLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(lineLabel, row, LineColumn);
        }
        auto* label = new FieldLabel(f->label(), this);
        label->setObjectName(QStringLiteral("label_") + f->name());
        label->setWordWrap(true);
        grid->addWidget(label, row, LabelColumn);

        QWidget* editor = makeEditor(f);
        label->setBuddy(editor);
        if (qobject_cast<LongTextEdit*>(editor))
            // Free text takes the page's width, on the rows below its label.
            grid->addWidget(editor, ++row, LineColumn, 1, EditorColumn + 1);
        else
            grid->addWidget(editor, row, EditorColumn);
        m_bindings.push_back(Binding{f, editor, QString()});
        ++row;
        if (const GoToButton goTo = goToButtonFor(f->linkedForm()); !goTo.objectName.isEmpty()) {
            QPushButton* button = makeActionButton(goTo.text, goTo.objectName, FORMEVENT_FORWARD_EDIT, f->linkedForm());
            // Several lines may go to one form (13500 and 13700 to the T2125):
            // the button says which line it belongs to.
            button->setProperty(kGoToLineProperty, f->name());
            grid->addWidget(button, row++, EditorColumn);
        }
        for (const CTaxData_Form::PageAction& action : actions) {
            if (!f->hasName(QString::fromLatin1(action.afterField)))
                continue;
            grid->addWidget(makeActionButton(tr(action.text), QString::fromLatin1(action.objectName),
                                             action.eventType, action.formType),
                            row++, EditorColumn);
        }
    }

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addStretch(1);

    reload();
}

BaseTaxPage::~BaseTaxPage()
{
    // The editors go after this part of the page: a focused one losing its
    // focus on the way must not store into a form that may be gone already.
    for (const Binding& b : m_bindings)
        b.editor->disconnect(this);
}

QPushButton* BaseTaxPage::makeActionButton(const QString& text, const QString& objectName, int eventType,
                                           int formType)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    connect(button, &QPushButton::clicked, this, [this, eventType, formType] {
        store();
        postFormEvent(this, eventType == FORMEVENT_FORWARD_EDIT ? new EventForwardEdit(formType)
                                                                 : new MyEvent(eventType));
    });
    return button;
}

QWidget* BaseTaxPage::makeEditor(CField* field)
{
    const int index = int(m_bindings.size());
    const bool readOnly = field->isReadOnly();
    QWidget* editor = nullptr;
    switch (field->kind()) {
    case FieldKind::Float: {
        auto* e = new DoubleLineEdit(this);
        e->setReadOnly(readOnly);
        connect(e, &QLineEdit::editingFinished, this, [this, index] { onEdited(index); });
        editor = e;
        break;
    }
    case FieldKind::Int: {
        const auto choices = field->choices();
        if (!choices.isEmpty()) {
            auto* e = new ChoiceComboBox(this);
            for (const auto& c : choices)
                e->addItem(c.second, c.first);
            e->setEnabled(!readOnly);
            e->setFocusPolicy(Qt::StrongFocus);
            connect(e, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this, index] { onEdited(index); });
            editor = e;
            break;
        }
        auto* e = new StringLineEdit(this);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setValidator(new QIntValidator(e));
        e->setReadOnly(readOnly);
        connect(e, &QLineEdit::editingFinished, this, [this, index] { onEdited(index); });
        editor = e;
        break;
    }
    case FieldKind::String: {
        const int max = static_cast<CStringField*>(field)->maxLength();
        if (max > kLongestSingleLine) {
            auto* e = new LongTextEdit(this);
            e->setReadOnly(readOnly);
            connect(e, &LongTextEdit::editingFinished, this, [this, index] { onEdited(index); });
            editor = e;
            break;
        }
        auto* e = new StringLineEdit(this);
        if (max > 0)
            e->setMaxLength(max);
        e->setReadOnly(readOnly);
        connect(e, &QLineEdit::editingFinished, this, [this, index] { onEdited(index); });
        editor = e;
        break;
    }
    case FieldKind::Bool: {
        // Every yes/no question is the same list, whatever its stored type; a
        // ticked/unticked value has no unanswered state, so "Not answered"
        // stores No.
        auto* e = new ChoiceComboBox(this);
        e->addItem(tr("Not answered"), QStringLiteral("0"));
        e->addItem(tr("Yes"), QStringLiteral("1"));
        e->addItem(tr("No"), QStringLiteral("0"));
        e->setEnabled(!readOnly);
        e->setFocusPolicy(Qt::StrongFocus);
        connect(e, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this, index] { onEdited(index); });
        editor = e;
        break;
    }
    case FieldKind::Date: {
        auto* e = new StyledDateEdit(this);
        e->setReadOnly(readOnly);
        e->setEmptyCalendarYearsAgo(calendarYearsAgo(field->name()));
        connect(e, &StyledDateEdit::dateChanged, this, [this, index] { onEdited(index); });
        editor = e;
        break;
    }
    }
    editor->setObjectName(QStringLiteral("fld_") + field->name());
    if (readOnly) {
        // A value the user cannot change must look it: shaded like the page,
        // no focus for typing, and a tip saying where it comes from.
        editor->setFocusPolicy(Qt::NoFocus);
        editor->setProperty("computed", field->isComputed());
        QPalette shaded = editor->palette();
        shaded.setColor(QPalette::Base, shaded.color(QPalette::Window));
        editor->setPalette(shaded);
        editor->setToolTip(field->isComputed() ? tr("computed") : tr("filled in from elsewhere in the return"));
    }
    return editor;
}

QString BaseTaxPage::editorText(const Binding& b) const
{
    switch (b.field->kind()) {
    case FieldKind::Date: {
        const QDate d = static_cast<StyledDateEdit*>(b.editor)->nullableDate();
        return d.isValid() ? d.toString(Qt::ISODate) : QString();
    }
    default:
        if (auto* combo = qobject_cast<QComboBox*>(b.editor))
            // Nothing chosen keeps the stored value (for example -1, no choice yet).
            return combo->currentIndex() < 0 ? b.shown : combo->currentData().toString();
        if (auto* text = qobject_cast<QPlainTextEdit*>(b.editor))
            return text->toPlainText();
        return static_cast<QLineEdit*>(b.editor)->text();
    }
}

namespace {

// A value longer than its box shows from its start, as a person reads it:
// setText leaves the cursor at the end, and the box would show only the
// tail ("026-12-11 03:33:12" for a time stamp). A box being typed into
// keeps its cursor.
// A box already showing the text is left alone: rewriting it repaints it,
// and a reload after each edit rewrites every box of the page.
void showLineText(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
    if (!edit->hasFocus() && edit->cursorPosition() != 0)
        edit->setCursorPosition(0);
}

} // namespace

void BaseTaxPage::showValue(Binding& b)
{
    b.shown = valueText(b.field);
    // Showing a value is not an edit.
    const QSignalBlocker block(b.editor);
    switch (b.field->kind()) {
    case FieldKind::Bool:
        static_cast<QComboBox*>(b.editor)->setCurrentIndex(b.shown == QLatin1String("1") ? 1 : 2);
        break;
    case FieldKind::Date:
        static_cast<StyledDateEdit*>(b.editor)->setNullableDate(static_cast<CDateField*>(b.field)->m_value);
        break;
    default:
        if (auto* combo = qobject_cast<QComboBox*>(b.editor))
            combo->setCurrentIndex(lastIndexOf(combo, static_cast<CIntField*>(b.field)->m_value));
        else if (auto* text = qobject_cast<QPlainTextEdit*>(b.editor)) {
            if (text->toPlainText() != b.shown)
                text->setPlainText(b.shown);
        } else
            showLineText(static_cast<QLineEdit*>(b.editor), b.shown);
        break;
    }
}

void BaseTaxPage::reload()
{
    for (Binding& b : m_bindings)
        showValue(b);
}

bool BaseTaxPage::storeOne(Binding& b)
{
    if (b.field->isReadOnly())
        return false;
    QString now = editorText(b);
    if (now == b.shown)
        return false;
    const QString before = valueText(b.field);
    QString problem;
    const bool accepted = !m_form || m_form->checkEntry(*b.field, now, problem);
    if (!accepted || !b.field->setText(now)) {
        // Refused: the stored value is shown again, and the user is told why
        // rather than finding the entry quietly gone.
        showValue(b);
        if (!problem.isEmpty())
            promptWarning(this, tr("Entry not accepted"), problem);
        return false;
    }
    showValue(b);
    return b.shown != before;
}

void BaseTaxPage::store()
{
    for (Binding& b : m_bindings)
        storeOne(b);
}

void BaseTaxPage::onEdited(int index)
{
    if (index < 0 || index >= int(m_bindings.size()))
        return;
    Binding& b = m_bindings[size_t(index)];
    if (storeOne(b))
        emit signalCalc(m_form, b.field);
}

void BaseTaxPage::setLineNotes(const QHash<QString, QString>& notesByLine)
{
    for (const Binding& b : m_bindings) {
        const QString line = b.field->lineNumber();
        const QString note = line.isEmpty() ? QString() : notesByLine.value(line);
        QLabel* shown = m_lineNotes.value(b.field);
        if (note.isEmpty()) {
            if (shown) {
                m_lineNotes.remove(b.field);
                delete shown;
            }
            continue;
        }
        if (!shown) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            const int at = m_grid->indexOf(b.editor);
            if (at < 0)
                continue;
            m_grid->getItemPosition(at, &row, &column, &rowSpan, &columnSpan);
            shown = new QLabel(tr("not computed"), this);
            shown->setObjectName(QStringLiteral("note_") + b.field->name());
            QPalette warn = shown->palette();
            warn.setColor(QPalette::WindowText, QColor(0xb0, 0x40, 0x00));
            shown->setPalette(warn);
            m_grid->addWidget(shown, row, NoteColumn);
            m_lineNotes.insert(b.field, shown);
        }
        shown->setToolTip(note);
    }
}

QWidget* BaseTaxPage::editorFor(const CField* field) const
{
    for (const Binding& b : m_bindings)
        if (b.field == field)
            return b.editor;
    return nullptr;
}

void BaseTaxPage::installAsPageFactory()
{
    CTaxData_Form::installPageFactory([](CTaxData_Form* form, const std::vector<CField*>& fields,
                                         const QString& title, QWidget* parent) -> BaseTaxPage* {
        return new BaseTaxPage(form, fields, title, parent);
    });
}

namespace {

[[maybe_unused]] const bool g_pageFactoryInstalled = (BaseTaxPage::installAsPageFactory(), true);

} // namespace
