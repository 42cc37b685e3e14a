package vodarevivo.makereport;

import java.io.IOException;
import java.util.ArrayList;
import java.util.List;
import java.util.Locale;

/**
 * Prints one form, slip or note as its layout says: a title block (the
 * form's name and number, the tax year, the person's name and S.I.N.), then
 * its fields under their section headings. A line or box prints as caption,
 * number and amount in boxes; an answer, name or working figure as caption
 * and value; what the layout marks as not printed never prints, nor does a
 * field left empty or at its unanswered start value.
 */
final class FormPrinter
{
    /** Captions that close a group of lines: their amount is ruled off. */
    private static final String[] TOTAL_WORDS = {"total", "net income", "taxable income", "refund",
                                                 "balance owing", "net federal tax"};

    private final ReportPdf pdf;
    private final Layouts layouts;
    private final Sins sins;
    private final PersonInfo person;

    FormPrinter(ReportPdf pdf, Layouts layouts, Sins sins, PersonInfo person)
    {
        this.pdf = pdf;
        this.layouts = layouts;
        this.sins = sins;
        this.person = person;
    }

    /** One printed row of a form. */
    static final class Row
    {
        final Layouts.Field field;
        final String value;

        Row(Layouts.Field field, String value)
        {
            this.field = field;
            this.value = value;
        }

        boolean boxed()
        {
            return "line".equals(field.role);
        }
    }

    /** Prints the item; false when it has nothing to print. */
    boolean print(ReturnFile.Item item) throws IOException
    {
        final Layouts.Layout layout = layouts.find(item.kind, item.type);
        if (layout == null)
            return false; // the build exports a layout for every type the program can hold
        final List<Row> rows = rows(item, layout, false);
        if (rows.isEmpty())
            return false;
        if (item.kind == ReturnFile.KIND_SLIP)
            printSlip(item, layout, rows);
        else
            printForm(layout, rows);
        return true;
    }

    /** The printable rows of an item, in layout order; spouse figures only when asked for. */
    List<Row> rows(ReturnFile.Item item, Layouts.Layout layout, boolean withSpouse)
    {
        final List<Row> rows = new ArrayList<>();
        for (Layouts.Field f : layout.fields) {
            if ("no".equals(f.role) || (!withSpouse && "spouse".equals(f.role)))
                continue;
            final String value = printed(f, item.values.get(f.id));
            if (!value.isEmpty())
                rows.add(new Row(f, value));
        }
        return rows;
    }

    /** A field's value as printed: formatted, and a S.I.N. masked unless the flag asks for it whole. */
    String printed(Layouts.Field f, Object value)
    {
        final String shown = Amounts.shown(f, value);
        if (shown.isEmpty())
            return shown;
        return Sins.isSinField(f) ? sins.number(shown) : sins.text(shown);
    }

    void titleBlock(String title) throws IOException
    {
        pdf.title(title);
        final String who = person.name();
        final String sin = person.sin();
        pdf.line(PersonInfo.join("    ", "Tax year " + ReturnFile.TAX_YEAR, who.isEmpty() ? "" : "Name: " + who,
                                 sin.isEmpty() ? "" : "S.I.N.: " + sins.number(sin)));
    }

    /** The form's title as the agency names it: its number, then its name when that does not already say it. */
    static String formTitle(Layouts.Layout layout)
    {
        final String code = layout.info.strCode == null ? "" : layout.info.strCode.trim();
        String title = layout.info.strTitle == null ? "" : layout.info.strTitle.trim();
        if (!code.isEmpty() && title.startsWith(code))
            title = withoutLeadingSeparators(title.substring(code.length()));
        // A title that already holds the code ("Return Summary" of the
        // "Summary") reads on its own.
        if (code.isEmpty() || title.toLowerCase(Locale.ROOT).contains(code.toLowerCase(Locale.ROOT)))
            return title.isEmpty() ? code : title;
        return title.isEmpty() ? code : code + " - " + title;
    }

    /**
     * The text without the white space, colons and dashes it starts with
     * (what stands between a title's code and its name), by a plain loop:
     * no pattern to compile at a run's first print.
     */
    static String withoutLeadingSeparators(String text)
    {
        int start = 0;
        while (start < text.length() && " \t\n\013\f\r:–-".indexOf(text.charAt(start)) >= 0)
            ++start;
        return text.substring(start);
    }

    void printForm(Layouts.Layout layout, List<Row> rows) throws IOException
    {
        pdf.newPage();
        titleBlock(formTitle(layout));
        printRows(rows, null);
    }

    /** Rows under their section headings; a heading printed only above a row of its own. */
    void printRows(List<Row> rows, java.util.function.Function<String, String> headingOf) throws IOException
    {
        String last = null;
        for (Row r : rows) {
            final String s = r.field.section == null ? "" : r.field.section;
            final String heading = headingOf == null ? s : headingOf.apply(s);
            if (heading != null && !heading.isEmpty() && !heading.equals(last))
                pdf.heading(heading);
            last = heading;
            printRow(r);
        }
    }

    void printRow(Row r) throws IOException
    {
        if (r.boxed())
            pdf.boxedRow(r.field.line, r.field.caption, r.value, isTotal(r.field));
        else
            pdf.entry(r.field.caption, r.value);
    }

    private void printSlip(ReturnFile.Item item, Layouts.Layout layout, List<Row> rows) throws IOException
    {
        pdf.title(formTitle(layout));
        final List<String> issuer = new ArrayList<>();
        for (Row r : rows)
            if (r.field.namesItem)
                issuer.add(r.value);
        final String who = person.name();
        pdf.line(PersonInfo.join("    ", issuer.isEmpty() ? "" : "Issuer: " + String.join(", ", issuer),
                                 "Tax year " + ReturnFile.TAX_YEAR,
                                 who.isEmpty() ? "" : "Recipient: " + who,
                                 person.sin().isEmpty() ? "" : "S.I.N.: " + sins.number(person.sin())));
        final List<Row> boxes = new ArrayList<>();
        for (Row r : rows)
            if (!r.field.namesItem)
                boxes.add(r);
        printRows(boxes, s -> null);
    }

    static boolean isTotal(Layouts.Field f)
    {
        final String caption = f.caption.toLowerCase(Locale.ROOT);
        for (String word : TOTAL_WORDS)
            if (caption.startsWith(word) || caption.contains(" " + word))
                return true;
        return false;
    }
}
