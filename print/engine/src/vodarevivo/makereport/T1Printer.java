package vodarevivo.makereport;

import java.io.IOException;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * The T1 as the agency's form reads: step 1 with the person's
 * identification, address, residence and, for a couple, the spouse's
 * information; then the steps of total income, net income, taxable income,
 * federal tax and refund or balance owing with their lines; last the
 * certification with lines to sign and date, and the preparer's block.
 */
final class T1Printer
{
    static final String STEP1 = "Step 1 – Identification and other information";
    static final String CERTIFICATION = "I certify that the information given on this return and in any documents "
                                        + "attached is correct, complete and fully discloses all of my income.";
    static final String FALSE_RETURN = "It is a serious offence to make a false return.";

    /** The T1's sections under the agency's headings; a section mapped to "" is printed elsewhere. */
    private static final Map<String, String> HEADINGS = new HashMap<>();
    static {
        for (String s : new String[] {"Identification", "Mailing address and contact", "Residence", "Bankruptcy",
                                      "Questions"})
            HEADINGS.put(s, STEP1 + " (continued)");
        HEADINGS.put("Spouse or common-law partner", "");
        HEADINGS.put("Tax preparer", "");
        HEADINGS.put("Direct deposit (copied from T1DD)", "Direct deposit");
        HEADINGS.put("Total income", "Step 2 – Total income");
        HEADINGS.put("Net income", "Step 3 – Net income");
        HEADINGS.put("Taxable income", "Step 4 – Taxable income");
        HEADINGS.put("Federal non-refundable tax credits", "Step 5 – Federal tax: Part B – Federal non-refundable tax credits");
        HEADINGS.put("Federal tax", "Step 5 – Federal tax: Parts A and C – Federal tax and net federal tax");
        HEADINGS.put("Refund or balance owing", "Step 6 – Refund or balance owing");
        HEADINGS.put("Canada Pension Plan and QPP", "CPP and QPP contributions");
    }

    /** Fields step 1's identification block prints itself, and fields that never go on paper. */
    private static final Set<String> IDENTIFICATION = Set.of(
        "FirstName", "SecondName", "LastName", "SIN", "BirthDate", "MaritalStatus", "Language", "Email", "Email2",
        "HomePhone", "CareOfLine", "AddressLine1", "AddressLine2", "RuralRoute", "City", "MailingProvince",
        "PostalCode", "Country", "State", "ProvinceOfResidence", "CurrentProvince", "EntryDate", "DepartureDate",
        "DateOfDeath", "ProvinceText", "DireradAccessCode");

    private final ReportPdf pdf;
    private final FormPrinter forms;
    private final PersonInfo person;
    private final Sins sins;
    private final Preparer preparer;

    T1Printer(ReportPdf pdf, FormPrinter forms, PersonInfo person, Sins sins, Preparer preparer)
    {
        this.pdf = pdf;
        this.forms = forms;
        this.person = person;
        this.sins = sins;
        this.preparer = preparer;
    }

    void print(ReturnFile.Item t1, Layouts.Layout layout) throws IOException
    {
        pdf.newPage();
        forms.titleBlock("T1 " + ReturnFile.TAX_YEAR + " - Income Tax and Benefit Return");
        identification(t1, layout);
        final List<FormPrinter.Row> rows = forms.rows(t1, layout, false);
        rows.removeIf(r -> IDENTIFICATION.contains(r.field.name) || "".equals(HEADINGS.get(r.field.section)));
        forms.printRows(rows, s -> HEADINGS.getOrDefault(s, s));
        certification();
    }

    private void identification(ReturnFile.Item t1, Layouts.Layout layout) throws IOException
    {
        pdf.heading(STEP1);
        pdf.entry("First name and initial", PersonInfo.join(" ", person.text("FirstName"), person.text("SecondName")));
        pdf.entry("Last name", person.text("LastName"));
        pdf.entry("Social insurance number (S.I.N.)", sins.number(person.sin()));
        pdf.entry("Date of birth", person.text("BirthDate"));
        pdf.entry("Marital status on December 31, " + ReturnFile.TAX_YEAR, person.choice("MaritalStatus"));
        final String death = person.text("DateOfDeath");
        if (!death.isEmpty())
            pdf.entry("Date of death", death);
        final List<String> address = person.addressLines();
        for (int i = 0; i < address.size(); ++i)
            pdf.entry(i == 0 ? "Mailing address" : "", address.get(i));
        entryIfAny("Telephone", person.text("HomePhone"));
        entryIfAny("Email address", person.text("Email"));
        pdf.entry("Language of correspondence", person.choice("Language"));

        pdf.heading("Residence information");
        pdf.entry("Province or territory of residence on December 31, " + ReturnFile.TAX_YEAR,
                  person.choice("ProvinceOfResidence"));
        final String current = person.choice("CurrentProvince");
        if (!current.isEmpty() && !"None".equals(current) && !current.equals(person.choice("ProvinceOfResidence")))
            pdf.entry("Current province or territory of residence", current);
        entryIfAny("Date of entry into Canada", person.text("EntryDate"));
        entryIfAny("Date of departure from Canada", person.text("DepartureDate"));

        if (!person.hasSpouse())
            return;
        pdf.heading("Your spouse's or common-law partner's information");
        for (FormPrinter.Row r : forms.rows(t1, layout, true)) {
            if (!"Spouse or common-law partner".equals(r.field.section))
                continue;
            // The spouse's figures come from the spouse's own return: named
            // by that return's line, never in a box of this one.
            final String caption = r.field.line.isEmpty() ? r.field.caption
                                                          : r.field.caption + " (line " + r.field.line + " of their return)";
            pdf.entry(caption, r.value);
        }
    }

    private void entryIfAny(String caption, String value) throws IOException
    {
        if (!value.isEmpty())
            pdf.entry(caption, sins.text(value));
    }

    private void certification() throws IOException
    {
        pdf.heading("Certification");
        pdf.paragraph(CERTIFICATION);
        pdf.signatureLines(new Object[][] {{"Sign here", 0f, 260f}, {"Date", 300f, 150f}});
        pdf.skip(1.5f);
        pdf.line(FALSE_RETURN);
        if (preparer.isEmpty())
            return;
        pdf.heading("For professional tax preparers only");
        for (String[] row : preparer.rows())
            pdf.entry(row[0], row[1]);
    }
}
