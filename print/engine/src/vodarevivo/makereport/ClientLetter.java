package vodarevivo.makereport;

import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.time.LocalDate;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import javax.xml.XMLConstants;
import javax.xml.parsers.DocumentBuilderFactory;
import org.apache.pdfbox.pdmodel.PDDocument;
import org.apache.pdfbox.pdmodel.PDPage;
import org.w3c.dom.Element;
import org.w3c.dom.NodeList;

/**
 * The client letter printed with the client copy. The preparer's own
 * template is a PDF and an XML layout that says where each of the letter's
 * facts goes: &lt;field name="clientName" page="1" x="72" y="640" size="11"/&gt;
 * (x and y in points from the page's bottom left). The names are
 * clientName, address (one line under the other), refundOrBalance, date,
 * preparer and taxYear. A template without its layout prints as it is; no
 * template prints the built-in letter.
 */
final class ClientLetter
{
    static final String OWN_PDF = "t1_clientletter_own.pdf";
    static final String OWN_XML = "t1_clientletter_own.xml";

    static final class Placed
    {
        String name;
        int page;
        float x;
        float y;
        float size;
    }

    private ClientLetter()
    {
    }

    /** The facts the letter can hold, by name; address lines joined with line breaks. */
    static Map<String, String> facts(PersonInfo client, String refundOrBalance, Preparer preparer, LocalDate date)
    {
        final Map<String, String> facts = new HashMap<>();
        facts.put("clientName", client.name());
        facts.put("address", String.join("\n", client.addressLines()));
        facts.put("refundOrBalance", refundOrBalance);
        facts.put("date", date.toString());
        facts.put("preparer", PersonInfo.join(", ", preparer.name, preparer.firm));
        facts.put("taxYear", Integer.toString(ReturnFile.TAX_YEAR));
        return facts;
    }

    /** The template's layout, or null when there is none or it cannot be read. */
    static List<Placed> layout(Path xml)
    {
        if (xml == null || !Files.isRegularFile(xml))
            return null;
        try {
            final DocumentBuilderFactory f = DocumentBuilderFactory.newInstance();
            f.setFeature(XMLConstants.FEATURE_SECURE_PROCESSING, true);
            f.setFeature("http://apache.org/xml/features/disallow-doctype-decl", true);
            f.setExpandEntityReferences(false);
            final NodeList nodes = f.newDocumentBuilder().parse(xml.toFile()).getElementsByTagName("field");
            final List<Placed> placed = new ArrayList<>();
            for (int i = 0; i < nodes.getLength(); ++i) {
                final Element e = (Element) nodes.item(i);
                final Placed p = new Placed();
                p.name = e.getAttribute("name");
                p.page = Integer.parseInt(e.getAttribute("page").isEmpty() ? "1" : e.getAttribute("page").trim());
                p.x = Float.parseFloat(e.getAttribute("x").trim());
                p.y = Float.parseFloat(e.getAttribute("y").trim());
                p.size = e.getAttribute("size").isEmpty() ? 11f : Float.parseFloat(e.getAttribute("size").trim());
                placed.add(p);
            }
            return placed;
        } catch (Exception e) {
            return null; // a damaged layout: the template prints as it is
        }
    }

    /** The template's pages into the document, each with the facts its layout places on it. */
    static void printOwn(ReportPdf pdf, PDDocument template, List<Placed> layout, Map<String, String> facts)
        throws IOException
    {
        int number = 0;
        for (PDPage page : template.getPages()) {
            ++number;
            final PDPage imported = pdf.document().importPage(page);
            if (layout == null)
                continue;
            final List<ReportPdf.PlacedText> texts = new ArrayList<>();
            for (Placed p : layout) {
                if (p.page != number)
                    continue;
                final String value = facts.getOrDefault(p.name, "");
                float y = p.y;
                for (String line : value.split("\n")) {
                    texts.add(new ReportPdf.PlacedText(p.x, y, p.size, line));
                    y -= p.size * 1.3f;
                }
            }
            pdf.overlay(imported, texts);
        }
    }

    static void printBuiltIn(ReportPdf pdf, Map<String, String> facts) throws IOException
    {
        pdf.newPage();
        pdf.title("Client letter");
        pdf.line(facts.get("date"));
        pdf.line(facts.get("clientName"));
        for (String line : facts.get("address").split("\n"))
            pdf.line(line);
        pdf.skip(1);
        final String name = facts.get("clientName");
        pdf.line("Dear " + (name.isEmpty() ? "client" : name) + ",");
        pdf.paragraph("Enclosed is your " + ReturnFile.TAX_YEAR + " income tax and benefit return as prepared. "
                      + facts.get("refundOrBalance"));
        pdf.paragraph("Please review it, sign where indicated and keep a copy for your records.");
        if (!facts.get("preparer").isEmpty()) {
            pdf.skip(1);
            pdf.line(facts.get("preparer"));
        }
    }
}
