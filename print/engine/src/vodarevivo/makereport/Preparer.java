package vodarevivo.makereport;

import java.io.IOException;
import java.io.InputStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Properties;

/**
 * The tax preparer's block: the program's preferences as the print road
 * hands them over ("preparer.properties" in the PDF folder, written before
 * each job: the firm, its address, telephone and EFILE number), with the
 * preparer fields typed on the person's T1 for the preparer's own name and
 * whatever the preferences leave empty. Empty when neither holds a name or
 * a firm: the block is then left out.
 */
final class Preparer
{
    static final String FILE_NAME = "preparer.properties";

    String name = "";
    String firm = "";
    String address = "";
    String city = "";
    String phone = "";
    String efileNumber = "";

    static Preparer of(Path pdfFolder, PersonInfo person)
    {
        final Preparer p = new Preparer();
        final Path file = pdfFolder == null ? null : pdfFolder.resolve(FILE_NAME);
        if (file != null && Files.isRegularFile(file)) {
            final Properties props = new Properties();
            try (InputStream in = Files.newInputStream(file)) {
                props.load(new java.io.InputStreamReader(in, java.nio.charset.StandardCharsets.UTF_8));
                p.name = props.getProperty("name", "").trim();
                p.firm = props.getProperty("firm", "").trim();
                p.address = props.getProperty("address", "").trim();
                p.city = props.getProperty("city", "").trim();
                p.phone = props.getProperty("phone", "").trim();
                p.efileNumber = props.getProperty("efile", "").trim();
            } catch (IOException | IllegalArgumentException e) {
                // an unreadable file counts as absent
            }
        }
        if (person != null && person.hasT1()) {
            p.name = or(p.name, person.text("PreparerName"));
            p.address = or(p.address, person.text("PreparerAddress"));
            p.city = or(p.city, person.text("PreparerCity"));
            p.phone = or(p.phone, person.text("PreparerPhone"));
            p.efileNumber = or(p.efileNumber, person.text("PreparerEFileNumber"));
        }
        return p;
    }

    private static String or(String first, String second)
    {
        return first.isEmpty() ? second : first;
    }

    boolean isEmpty()
    {
        return name.isEmpty() && firm.isEmpty();
    }

    /** The block's rows: caption and value, the empty ones left out. */
    String[][] rows()
    {
        final String[][] all = {{"Name of preparer", name}, {"Firm", firm}, {"Address", address},
                                {"City, province and postal code", city}, {"Telephone", phone},
                                {"EFILE number", efileNumber}};
        return java.util.Arrays.stream(all).filter(r -> !r[1].isEmpty()).toArray(String[][]::new);
    }
}
