package vodarevivo.makereport;

import java.io.IOException;
import java.time.LocalDate;
import java.util.List;

/** The preparer's invoice for the return: who prepared it, for whom, when and for which year. */
final class InvoicePage
{
    private InvoicePage()
    {
    }

    static void print(ReportPdf pdf, Preparer preparer, PersonInfo client, LocalDate date) throws IOException
    {
        pdf.newPage();
        pdf.title("Invoice");
        if (!preparer.isEmpty()) {
            pdf.heading("Prepared by");
            for (String[] row : preparer.rows())
                pdf.entry(row[0], row[1]);
        }
        pdf.heading("Client");
        pdf.entry("Name", client.name());
        final List<String> address = client.addressLines();
        for (int i = 0; i < address.size(); ++i)
            pdf.entry(i == 0 ? "Address" : "", address.get(i));
        pdf.heading("Service");
        pdf.entry("Date", date.toString());
        pdf.entry("Tax year", Integer.toString(ReturnFile.TAX_YEAR));
        pdf.paragraph("Preparation of the " + ReturnFile.TAX_YEAR + " income tax and benefit return of "
                      + (client.name().isEmpty() ? "the client" : client.name()) + ".");
    }
}
