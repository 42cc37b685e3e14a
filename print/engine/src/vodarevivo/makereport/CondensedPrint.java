package vodarevivo.makereport;

import com.google.zxing.WriterException;
import java.io.IOException;
import java.util.ArrayList;
import java.util.List;

/**
 * The condensed print for filing on paper: the person's barcode archive,
 * the T1 record then each statement record, as PDF417 symbols, one symbol
 * per page, with the T1's lines and amounts listed beside them.
 */
final class CondensedPrint
{
    private static final float MODULE = 1.1f;

    private final ReportPdf pdf;
    private final FormPrinter forms;
    private final PersonInfo person;

    CondensedPrint(ReportPdf pdf, FormPrinter forms, PersonInfo person)
    {
        this.pdf = pdf;
        this.forms = forms;
        this.person = person;
    }

    void print() throws IOException
    {
        final List<FormPrinter.Row> listing = new ArrayList<>();
        if (person.hasT1())
            for (FormPrinter.Row r : forms.rows(person.t1, person.layout, false))
                if (r.boxed() && "amount".equals(r.field.kind))
                    listing.add(r);

        final List<byte[]> records = person.person == null ? List.of() : person.person.barcodeRecords;
        final List<String> labels = new ArrayList<>();
        final List<byte[]> symbols = new ArrayList<>();
        for (int r = 0; r < records.size(); ++r) {
            final List<byte[]> parts = Pdf417.parts(records.get(r));
            for (int p = 0; p < parts.size(); ++p) {
                symbols.add(parts.get(p));
                labels.add((r == 0 ? "T1 return record" : "Statement record " + r)
                           + (parts.size() > 1 ? ", part " + (p + 1) + " of " + parts.size() : ""));
            }
        }

        int next = 0;
        if (symbols.isEmpty()) {
            pdf.newPage();
            forms.titleBlock("T1 " + ReturnFile.TAX_YEAR + " - Income Tax and Benefit Return: 2D barcode print");
            pdf.line("This return has no 2D barcode: a T1 with a valid social insurance number is needed, "
                     + "for a person who did not enter or leave Canada in the year.");
        }
        for (int s = 0; s < symbols.size(); ++s) {
            pdf.newPage();
            forms.titleBlock("T1 " + ReturnFile.TAX_YEAR + " - Income Tax and Benefit Return: 2D barcode print");
            pdf.line("Barcode " + (s + 1) + " of " + symbols.size() + ": " + labels.get(s));
            try {
                pdf.modules(Pdf417.modules(symbols.get(s)), MODULE, MODULE);
            } catch (WriterException e) {
                throw new IOException("a barcode record could not be encoded", e);
            }
            while (next < listing.size() && pdf.fits(1.4f))
                forms.printRow(listing.get(next++));
        }
        while (next < listing.size())
            forms.printRow(listing.get(next++));
    }
}
