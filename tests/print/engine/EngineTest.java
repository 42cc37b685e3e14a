// The print engine driven as the program's bridge drives it: one engine
// object per job, its methods reached by their real (keyword) names through
// reflection, on a return the program itself wrote. The PDF is checked with
// qpdf and read back with pdftotext.
//
// The client copy of a coupled family is read back whole: every T1 line
// with the amount the window shows, the slips with their box captions,
// nothing internal and no S.I.N. in full; the condensed print's PDF417
// symbols are decoded with ZXing's reader and compared byte for byte with
// the barcode archive's records. Pictures of the pages are kept as
// artefacts.
//
// Usage: java -cp mr.jar EngineTest.java RETURN_FILE RESOURCE_FOLDER TYPE_TABLES_FOLDER COUPLED_RETURN_FILE
//        FAMILY_RETURN_FILE ARTEFACT_FOLDER

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.net.URL;
import java.net.URLClassLoader;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.function.Consumer;
import java.util.stream.Collectors;
import java.util.stream.Stream;
import javax.tools.JavaCompiler;
import javax.tools.ToolProvider;

public class EngineTest
{
    static final List<String> failures = new ArrayList<>();
    static Path fixture;
    static Path coupled;
    static Path xmlFolder;
    static Path work;
    static Path family;
    static Path artefacts;

    public static void main(String[] args) throws Exception
    {
        fixture = Path.of(args[0]);
        xmlFolder = Path.of(args[1], "xml");
        final Path typeTables = Path.of(args[2]);
        coupled = Path.of(args[3]);
        family = Path.of(args[4]);
        artefacts = Files.createDirectories(Path.of(args[5]));
        work = Files.createTempDirectory("engine-test");
        try {
            // First: its job must be the first of this VM, beside the warm-up.
            firstJobBesideTheWarmUp();
            wholeReturnWithClientLetter();
            leftoverTemporariesAreLeftAlone();
            factsOnlyInTestMode();
            clientCopyOfBothSpouses();
            condensedPrintCarriesTheBarcodeArchive();
            invoiceAndSelectedSlip();
            formsWithoutLayoutFilePrintMasked();
            ownClientLetterIsFilled();
            slipsOnlyWithoutHeader();
            ownClientLetterIsPrinted();
            spouseReturn();
            unwritableTraceChangesNothing();
            writeBeforeReadIsRefused();
            unreadableReturnFiles();
            switchesTakeEffectForOneJobOnly();
            generatedTypeTablesCompileAgainstTheEngine(typeTables);
            layoutsFollowTheirFilesBetweenJobs();
            layoutHeadsNameTheirTypes();
        } finally {
            deleteTree(work);
        }
        if (!failures.isEmpty()) {
            System.out.println(failures.size() + " check(s) failed:");
            failures.forEach(f -> System.out.println("FAIL: " + f));
            System.exit(1);
        }
        System.out.println("all checks passed");
    }

    // ---- the cases --------------------------------------------------------

    // The engine's class starts a warm-up (the font, the PDF library, the
    // layout parser) as it is first used, so the run's first job goes on
    // beside it: that job's PDF must be the one a job after the warm-up
    // writes, byte for byte but for the document's own /ID.
    static void firstJobBesideTheWarmUp() throws Exception
    {
        final Job first = new Job("beside");
        first.returnFile = coupled;
        first.run();
        final Object ended = Class.forName("vodarevivo.makereport.WarmUp").getMethod("awaitDone").invoke(null);
        check(Boolean.TRUE.equals(ended), "warm-up: the engine's class started it and it ended");
        final Job after = new Job("after");
        after.returnFile = coupled;
        after.run();
        check(is(first.write, 0) && is(after.write, 0),
              "warm-up: both jobs write (got " + first.write + " and " + after.write + ")");
        if (first.path == null || after.path == null)
            return;
        final byte[] beside = Files.readAllBytes(Path.of(first.path));
        final byte[] later = Files.readAllBytes(Path.of(after.path));
        check(beside.length > 0 && java.util.Arrays.equals(withoutDocumentId(beside), withoutDocumentId(later)),
              "warm-up: the first job's PDF is the later job's (" + beside.length + " and " + later.length + " bytes)");
    }

    /** The PDF's bytes with its /ID array's digits blanked: they change with every save. */
    static byte[] withoutDocumentId(byte[] pdf)
    {
        final String text = new String(pdf, StandardCharsets.ISO_8859_1);
        return text.replaceAll("/ID ?\\[<[0-9A-Fa-f]*> ?<[0-9A-Fa-f]*>\\]", "/ID []").getBytes(StandardCharsets.ISO_8859_1);
    }

    static void wholeReturnWithClientLetter() throws Exception
    {
        final Job job = new Job("whole");
        job.output = Files.createDirectories(work.resolve("whole").resolve("Sortie Données"));
        job.flags = 44; // client letter (36) and invoice (8)
        Files.writeString(job.pdfFolder.resolve("engine-test.properties"), "facts=1\n");
        job.run();
        check(is(job.read, 0), "whole return: read answers 0 (got " + job.read + ")");
        check(is(job.write, 0), "whole return: write answers 0 (got " + job.write + ")");
        final Path pdf = job.output.resolve("zoe-taxpayer_0_0_0.pdf");
        check(pdf.toString().equals(job.path), "whole return: the path reported is the PDF's: " + job.path);
        check(Files.size(pdf) > 0, "whole return: the PDF is not empty");
        try (Stream<Path> left = Files.list(job.output)) {
            check(left.count() == 1, "whole return: nothing but the PDF is left in the output folder");
        }
        final ProcessResult qpdf = run("qpdf", "--check", pdf.toString());
        check(qpdf.exit == 0, "whole return: qpdf --check passes: " + qpdf.output);

        final String text = pdfText(pdf);
        final String size = Long.toString(Files.size(fixture));
        final String digest = run("sha256sum", fixture.toString()).output.split("\\s+")[0];
        final int folderBytes = job.output.toString().getBytes(StandardCharsets.UTF_8).length;
        for (String expected : new String[] {
                 "T1 2024 - Income Tax and Benefit Return",
                 "T4 - Statement of Remuneration Paid",
                 "Zoé Bélanger-Côté",
                 "Léa Bélanger-Côté (Son or daughter, born 2016-08-20)",
                 "File version: 66098",
                 "Tax year: 2024",
                 "Size: " + size + " bytes",
                 "SHA-256: " + digest,
                 "Spouse: 0",
                 "Mode: 0",
                 "Category: 0",
                 "Form id: 0",
                 "Flags: 44",
                 "Header: on",
                 "Client letter: built-in",
                 "Return file: zoe.r24",
                 "Output folder: " + job.output + " (" + folderBytes + " bytes)",
             })
            check(text.contains(expected), "whole return: the PDF shows \"" + expected + "\"");
        check(folderBytes > job.output.toString().length(), "the output folder's UTF-8 is longer than its characters");
        check(hasRow(text, "15000", "52,000.00"), "whole return: line 15000 shows 52,000.00");
        check(hasRow(text, "14", "52,000.00"), "whole return: T4 box 14 shows 52,000.00");
        check(hasRow(text, "22", "7,000.00"), "whole return: T4 box 22 shows 7,000.00");
        check(!Files.exists(job.pdfFolder.resolve("engine-trace.txt")), "whole return: no trace without the switch");
        check(!text.contains("046454286") && text.contains("XXXXXX286"),
              "whole return: the S.I.N. is masked without flag 16");

        final Job fullSin = new Job("fullsin");
        fullSin.flags = 16;
        fullSin.run();
        check(pdfText(Path.of(fullSin.path)).contains("046454286"), "flag 16: the S.I.N. is printed in full");
    }

    // The PDF is written into a new file beside it, named after it with a
    // number of the run, then renamed. Files another run left under those
    // names are neither written into nor removed: the job takes the next
    // number. The PDF is readable and writable by its owner only.
    static void leftoverTemporariesAreLeftAlone() throws Exception
    {
        final Job job = new Job("leftovers");
        final String pdfName = "zoe-taxpayer_0_0_0.pdf";
        final int taken = 300; // more numbers than the jobs of this test use
        for (int n = 1; n <= taken; ++n)
            Files.writeString(job.output.resolve("." + pdfName + "." + n + ".part"), "leftover " + n);
        job.run();
        check(is(job.write, 0), "leftovers: write answers 0 (got " + job.write + ")");
        final Path pdf = job.output.resolve(pdfName);
        check(Files.isRegularFile(pdf) && new String(Files.readAllBytes(pdf), 0, 5, StandardCharsets.ISO_8859_1).equals("%PDF-"),
              "leftovers: the PDF is written under its own name");
        boolean untouched = true;
        for (int n = 1; n <= taken; ++n)
            untouched &= Files.readString(job.output.resolve("." + pdfName + "." + n + ".part")).equals("leftover " + n);
        check(untouched, "leftovers: every leftover file keeps its text");
        check(listing(job.output).size() == taken + 1, "leftovers: the PDF is the one file added to the folder");
        check(Files.getPosixFilePermissions(pdf).equals(java.util.EnumSet.of(java.nio.file.attribute.PosixFilePermission.OWNER_READ,
                                                                              java.nio.file.attribute.PosixFilePermission.OWNER_WRITE)),
              "leftovers: the PDF is readable and writable by its owner only: " + Files.getPosixFilePermissions(pdf));
    }

    static void slipsOnlyWithoutHeader() throws Exception
    {
        final Job job = new Job("slips");
        job.header = false;
        job.category = 1;
        Files.writeString(job.pdfFolder.resolve("engine-test.properties"), "facts=1\n");
        job.run();
        check(is(job.write, 0), "slips: write answers 0 (got " + job.write + ")");
        final Path pdf = job.output.resolve("zoe-taxpayer_0_1_0.pdf");
        check(Files.isRegularFile(pdf), "slips: the PDF is named after the person, mode, category and form id");
        final String text = pdfText(pdf);
        check(text.contains("T4 - Statement of Remuneration Paid"), "slips: the T4 is printed");
        check(!text.contains("Income Tax and Benefit Return"), "slips: the T1 is not printed");
        check(!text.contains("page 1"), "slips: no page header once \"new\" ran");
        check(text.contains("Header: off"), "slips: the header is off once \"new\" ran");
        check(text.contains("Client letter: none"), "slips: no client letter without flags 36");
    }

    static void factsOnlyInTestMode() throws Exception
    {
        final Job job = new Job("nofacts");
        job.flags = 44;
        job.run();
        final String text = pdfText(Path.of(job.path));
        for (String internal : new String[] {"Print job", "SHA-256", "Output folder", "Flags: ", work.toString()})
            check(!text.contains(internal), "without the test switch the PDF has no \"" + internal + "\"");
    }

    // ---- the client copy of a coupled family --------------------------------

    static final String[] NEVER_ON_PAPER = {"Field ", "Slip ", "Calculation state", "Box 43 is for", "Print job"};

    static void clientCopyOfBothSpouses() throws Exception
    {
        final Job ann = new Job("family");
        ann.returnFile = family;
        ann.run();
        final Job ben = new Job("family");
        ben.returnFile = family;
        ben.output = ann.output;
        ben.spouse = 1;
        ben.run();
        check(is(ann.write, 0) && is(ben.write, 0), "family: both spouses print");
        final Path annPdf = ann.output.resolve("lee-taxpayer_0_0_0.pdf");
        final Path benPdf = ann.output.resolve("lee-spouse_0_0_0.pdf");
        check(Files.isRegularFile(annPdf) && Files.isRegularFile(benPdf),
              "family: the two spouses' PDFs stand side by side: " + listing(ann.output));
        check(!annPdf.toString().equals(benPdf.toString()) && annPdf.toString().equals(ann.path)
                  && benPdf.toString().equals(ben.path),
              "family: each job reports its own PDF");
        final String[][] people = {{"Ann Lee", "527000079", "0"}, {"Ben Lee", "193456787", "1"}};
        final Path[] pdfs = {annPdf, benPdf};
        for (int p = 0; p < 2; ++p) {
            final String who = people[p][0];
            final String text = pdfText(pdfs[p]);
            check(run("qpdf", "--check", pdfs[p].toString()).exit == 0, who + ": qpdf --check passes");
            check(text.contains("T1 2024 - Income Tax and Benefit Return") && text.contains(who),
                  who + ": the T1's title block names the person");
            check(text.contains("12 Maple Street") && text.matches("(?s).*Ottawa Ontario\\s+K1A 0B1.*"),
                  who + ": the mailing address is printed");
            check(text.contains("I certify that the information given on this return")
                      && text.contains("Sign here") && text.contains("Date"),
                  who + ": the certification with lines to sign and date");
            for (String step : new String[] {"Step 1 – Identification and other information", "Step 2 – Total income",
                                             "Step 3 – Net income", "Step 4 – Taxable income",
                                             "Step 6 – Refund or balance owing"})
                check(text.contains(step), who + ": the T1 has \"" + step + "\"");
            check(text.contains("Your spouse's or common-law partner's information") && text.contains("Married"),
                  who + ": a couple's T1 has the spouse's information");
            for (String line : Files.readAllLines(sidecar(".lines-" + people[p][2] + ".txt"))) {
                final String[] cells = line.split("\t");
                check(hasRow(text, cells[0], cells[1]), who + ": T1 line " + cells[0] + " shows " + cells[1]);
            }
            check(text.contains("T4 - Statement of Remuneration Paid") && hasCaptionedRow(text, "Employment income", "14"),
                  who + ": the T4 with \"Employment income\" beside box 14");
            for (String never : NEVER_ON_PAPER)
                check(!text.contains(never), who + ": nothing reads \"" + never + "\"");
            check(!text.toLowerCase(java.util.Locale.ROOT).contains("bankruptcy"), who + ": no bankruptcy statement");
            for (String[] person : people)
                check(!text.contains(person[1].substring(0, 6)), who + ": no S.I.N.'s first six digits ("
                                                                    + person[1].substring(0, 6) + ")");
            check(text.contains("XXXXXX" + people[p][1].substring(6)), who + ": the S.I.N. shows masked");
            check(!text.contains(work.toString()) && !text.contains(family.getParent().toString()),
                  who + ": no folder of the machine");
            check(!text.contains("23600 Spouse"), who + ": the spouse's net income is not under this return's line");
            picture(pdfs[p], 1, "t1-page1-" + p);
        }
        final String annText = pdfText(annPdf);
        check(annText.contains("T5 - Statement of Investment Income") && hasCaptionedRow(annText, "Interest", "13"),
              "family: the T5 with its box 13 caption");
        check(annText.contains("T2202") && annText.contains("Carleton University"), "family: the T2202 with its school");
        check(annText.contains("T776") && hasRow(annText, "8141", "12,000.00"), "family: the T776 with its gross rents");
        check(annText.contains("Sam Lee (Son or daughter, born 2015-03-09)"), "family: the dependant is listed");
        check(annText.contains("Issuer: Maple Works Ltd."), "family: the T4's issuer is named");
        picture(annPdf, pageOf(annPdf, "T4 - Statement of Remuneration Paid"), "slip-page");

        // A reprint replaces its own file only.
        final long benSize = Files.size(benPdf);
        final Job again = new Job("family");
        again.returnFile = family;
        again.output = ann.output;
        again.run();
        check(is(again.write, 0) && Files.size(benPdf) == benSize && listing(ann.output).size() == 2,
              "family: a reprint of the taxpayer leaves the spouse's PDF as it was");
    }

    static void condensedPrintCarriesTheBarcodeArchive() throws Exception
    {
        final byte[] saved = Files.readAllBytes(family);
        for (int p = 0; p < 2; ++p) {
            final Job job = new Job("condensed");
            job.returnFile = family;
            job.mode = 1;
            job.spouse = p;
            job.run();
            check(is(job.write, 0), "condensed " + p + ": write answers 0");
            final Path pdf = Path.of(job.path);
            check(pdf.getFileName().toString().equals("lee-" + (p == 0 ? "taxpayer" : "spouse") + "_1_0_0.pdf"),
                  "condensed " + p + ": the PDF is named after the person and the mode: " + pdf.getFileName());
            final List<byte[]> records = new ArrayList<>();
            for (int r = 0; Files.exists(sidecar(".barcode-" + p + "-" + r + ".bin")); ++r)
                records.add(Files.readAllBytes(sidecar(".barcode-" + p + "-" + r + ".bin")));
            check(!records.isEmpty(), "condensed " + p + ": the archive builder made records");
            for (byte[] record : records)
                check(indexOf(saved, framed(record)) >= 0,
                      "condensed " + p + ": the saved file holds the record of " + record.length + " bytes");
            final List<byte[]> symbols = decodeEverySymbol(pdf, "condensed-" + p);
            check(symbols.size() >= records.size(), "condensed " + p + ": " + symbols.size() + " symbols for "
                                                        + records.size() + " records");
            // Each record is one symbol, or several in a row when it is
            // longer than a symbol holds: joined, they are the records.
            int s = 0;
            for (int r = 0; r < records.size(); ++r) {
                final ByteArrayOutputStream joined = new ByteArrayOutputStream();
                while (s < symbols.size() && joined.size() < records.get(r).length)
                    joined.writeBytes(symbols.get(s++));
                check(java.util.Arrays.equals(joined.toByteArray(), records.get(r)),
                      "condensed " + p + ": record " + r + " decodes byte for byte");
            }
            check(s == symbols.size(), "condensed " + p + ": no symbol beyond the records");
            final String text = pdfText(pdf);
            for (String line : Files.readAllLines(sidecar(".lines-" + p + ".txt"))) {
                final String[] cells = line.split("\t");
                check(hasRow(text, cells[0], cells[1]), "condensed " + p + ": the listing has line " + cells[0]);
            }
            check(!text.contains("527000") && !text.contains("193456"), "condensed " + p + ": S.I.N.s masked");
        }
    }

    static void invoiceAndSelectedSlip() throws Exception
    {
        final Job invoice = new Job("invoice");
        invoice.returnFile = family;
        invoice.flags = 8;
        Files.writeString(invoice.pdfFolder.resolve("preparer.properties"),
                          "name=Pat Preparer\nfirm=Numbers & Co.\nphone=613-555-0100\nefile=K1234\n");
        invoice.run();
        final String text = pdfText(Path.of(invoice.path));
        final String page = text.substring(Math.max(0, text.indexOf("Invoice")));
        check(text.contains("Invoice") && page.contains("Pat Preparer") && page.contains("Numbers & Co.")
                  && page.contains("Ann Lee") && page.contains("12 Maple Street")
                  && page.contains(java.time.LocalDate.now().toString()) && page.contains("2024"),
              "flag 8: an invoice page with the preparer, the client's name and address, the date and the year");
        check(text.contains("For professional tax preparers only") && text.contains("K1234"),
              "the T1's last page has the preparer's block with the EFILE number");
        final Job none = new Job("noinvoice");
        none.returnFile = family;
        none.run();
        check(!pdfText(Path.of(none.path)).contains("Invoice"), "without flag 8 no invoice");

        // The T2202 selected in the tree: category 1 and its id.
        final Job first = new Job("slip");
        first.returnFile = family;
        first.category = 1;
        first.run();
        final String allSlips = pdfText(Path.of(first.path));
        check(allSlips.contains("T2202") && allSlips.contains("T4 - Statement"), "category 1 without an id: every slip");
        final Job one = new Job("slip");
        one.returnFile = family;
        one.category = 1;
        one.formId = Integer.parseInt(Files.readString(sidecar(".t2202-id.txt")).trim());
        one.run();
        final String t = pdfText(Path.of(one.path));
        check(t.contains("T2202 - Tuition and Enrolment Certificate") && !t.contains("T4 - Statement")
                  && !t.contains("T5 - Statement") && !t.contains("Income Tax and Benefit Return"),
              "a slip selected by its id prints that one slip only");
        check(one.path.endsWith("lee-taxpayer_0_1_" + one.formId + ".pdf"), "the selected slip's PDF names its id");
    }

    static void formsWithoutLayoutFilePrintMasked() throws Exception
    {
        // The prior-year summary has no layout file of its own: the engine's
        // layout folder has one, and it prints with its captions and the
        // S.I.N. masked like every other form.
        check(Files.isRegularFile(xmlFolder.resolve("print").resolve("T1KS_PRIOR.xml")),
              "the prior-year summary has the engine's layout");
        final Job job = new Job("prior");
        job.returnFile = family;
        job.run();
        final Path pdf = Path.of(job.path);
        final int page = pageOf(pdf, "(prior year)");
        final ProcessResult r = run("pdftotext", "-layout", "-f", "" + page, "-l", "" + page, "-enc", "UTF-8",
                                    pdf.toString(), "-");
        check(page > 1 && r.output.contains("Social insurance number") && r.output.contains("XXXXXX079") && !r.output.contains("527000")
                  && !r.output.contains("Field "),
              "the prior-year summary prints with captions and the S.I.N. masked:\n" + r.output);
    }

    static void ownClientLetterIsFilled() throws Exception
    {
        final Job first = new Job("template");
        first.run();
        final Job job = new Job("filled");
        job.returnFile = family;
        job.flags = 36;
        Files.copy(Path.of(first.path), job.pdfFolder.resolve("t1_clientletter_own.pdf"));
        final Path xml = Files.createDirectories(work.resolve("filled-xml"));
        try (Stream<Path> layouts = Files.list(xmlFolder)) {
            for (Path l : layouts.filter(Files::isRegularFile).collect(Collectors.toList()))
                Files.copy(l, xml.resolve(l.getFileName()));
        }
        Files.writeString(xml.resolve("t1_clientletter_own.xml"),
                          "<clientLetter><field name=\"clientName\" page=\"1\" x=\"300\" y=\"700\" size=\"10\"/>"
                          + "<field name=\"address\" page=\"1\" x=\"300\" y=\"686\"/>"
                          + "<field name=\"refundOrBalance\" page=\"1\" x=\"300\" y=\"640\"/></clientLetter>");
        job.xml = xml;
        job.run();
        // The template's pages close the PDF: their text is the letter's.
        final Path pdf = Path.of(job.path);
        final int last = pages(pdf);
        final int firstPage = last - pages(Path.of(first.path)) + 1;
        final String letter = run("pdftotext", "-f", "" + firstPage, "-l", "" + last, "-enc", "UTF-8", pdf.toString(), "-")
                                  .output.replaceAll("\\s+", " ");
        check(letter.contains("Ann Lee") && letter.contains("12 Maple Street") && letter.contains("Ottawa")
                  && letter.matches("(?s).*Your (refund|balance owing) is \\$[0-9,]+\\.[0-9]{2}\\..*")
                  && letter.contains("Zoé Bélanger-Côté"),
              "own client letter: its layout's fields are filled into the template's pages:\n" + letter);
    }

    static void ownClientLetterIsPrinted() throws Exception
    {
        // Any PDF will do as the preparer's letter: one the engine wrote.
        final Job first = new Job("letter");
        first.run();
        final Path letter = Path.of(first.path);
        final String letterText = pdfText(letter);

        final Job job = new Job("letter");
        Files.copy(letter, job.pdfFolder.resolve("t1_clientletter_own.pdf"));
        Files.writeString(job.pdfFolder.resolve("engine-test.properties"), "facts=1\n");
        job.flags = 36;
        job.run();
        check(is(job.write, 0), "own client letter: write answers 0 (got " + job.write + ")");
        final String text = pdfText(Path.of(job.path));
        check(text.contains("Client letter: t1_clientletter_own.pdf " + Files.size(letter) + " bytes"),
              "own client letter: the facts name the letter and its size");
        check(!text.contains("Dear Zoé"), "own client letter: the built-in letter is not printed");
        check(text.split("Return Summary", -1).length == 1 + 2 * (letterText.split("Return Summary", -1).length - 1),
              "own client letter: its pages are printed with the return");
        check(run("qpdf", "--check", job.path).exit == 0, "own client letter: qpdf --check passes");
    }

    static void spouseReturn() throws Exception
    {
        final Job job = new Job("spouse");
        job.returnFile = coupled;
        job.spouse = 1;
        Files.writeString(job.pdfFolder.resolve("engine-test.properties"), "facts=1\n");
        job.run();
        check(is(job.write, 0), "spouse: write answers 0 (got " + job.write + ")");
        check(job.path.endsWith("coupled-spouse_0_0_0.pdf"), "spouse: the PDF is named for the spouse: " + job.path);
        final String text = pdfText(Path.of(job.path));
        check(text.contains("Name: Partner"), "spouse: the spouse's return is printed");
        check(!text.contains("Name: Coupled Seed"), "spouse: not the taxpayer's");
        check(text.contains("Spouse: 1"), "spouse: the facts show the spouse flag");
    }

    static void unwritableTraceChangesNothing() throws Exception
    {
        final Job job = new Job("trace");
        Files.writeString(job.pdfFolder.resolve("engine-test.properties"), "trace=1\n");
        Files.createDirectory(job.pdfFolder.resolve("engine-trace.txt")); // no file can be appended there
        job.run();
        check(is(job.read, 0) && is(job.write, 0) && job.path != null && size(job) > 0,
              "a trace that cannot be written leaves the job as it is");
    }

    static void writeBeforeReadIsRefused() throws Exception
    {
        final Job job = new Job("order");
        job.writeBeforeRead = true;
        job.run();
        check(is(job.write, 3), "write before read answers 3 (got " + job.write + ")");
        check(isEmptyFolder(job.output), "write before read writes nothing");
    }

    static void unreadableReturnFiles() throws Exception
    {
        final Path empty = Files.write(work.resolve("empty.r24"), new byte[0]);
        final byte[] otherYear = Files.readAllBytes(fixture);
        otherYear[4] = (byte) 0xE7; // 2023
        final Path lastYear = Files.write(work.resolve("last.r24"), otherYear);
        final byte[] whole = Files.readAllBytes(fixture);
        final Path cut = work.resolve("cut.r24");
        Files.write(cut, java.util.Arrays.copyOf(whole, whole.length / 2));
        final Object[][] rows = {
            {"empty file", empty, 2},
            {"missing file", work.resolve("none.r24"), 2},
            {"another tax year", lastYear, 4},
            {"file cut in half", cut, 6},
        };
        for (Object[] row : rows) {
            final Job job = new Job("unreadable");
            job.returnFile = (Path) row[1];
            job.run();
            check(row[2].equals(job.read), row[0] + ": read answers " + row[2] + " (got " + job.read + ")");
            check(isEmptyFolder(job.output), row[0] + ": no PDF");
        }
    }

    static void switchesTakeEffectForOneJobOnly() throws Exception
    {
        final Path pdfFolder = Files.createDirectories(work.resolve("switches-pdf"));
        final Object[][] rows = {
            {"read=5166", (Consumer<Job>) j -> check(is(j.read, 5166) && is(j.write, 0) && exists(j), "read=5166 answers 5166 and still prints")},
            {"read=5167", (Consumer<Job>) j -> check(is(j.read, 5167) && is(j.write, 0) && exists(j), "read=5167 answers 5167 and still prints")},
            {"read=7", (Consumer<Job>) j -> check(is(j.read, 7) && j.write == null, "read=7 answers 7")},
            {"write=1", (Consumer<Job>) j -> check(is(j.write, 1) && !exists(j), "write=1 answers 1 and writes nothing")},
            {"throw=do", (Consumer<Job>) j -> check(j.thrownAt != null && j.thrownAt.equals("do") && j.read == null,
                                                 "throw=do throws from \"do\": " + j.thrownAt)},
            {"pdf=empty", (Consumer<Job>) j -> check(is(j.write, 0) && exists(j) && size(j) == 0, "pdf=empty writes a zero-byte PDF")},
            {"pdf=none", (Consumer<Job>) j -> check(is(j.write, 0) && j.path != null && !exists(j), "pdf=none reports a path with no file")},
            {"path=none", (Consumer<Job>) j -> check(is(j.write, 0) && j.path == null
                                                     && Files.exists(j.output.resolve("zoe-taxpayer_0_0_0.pdf")), "path=none reports no path")},
            {"trace=1", (Consumer<Job>) j -> check(traceIsInBridgeOrder(j), "trace=1 writes one line per call, in order")},
        };
        for (Object[] row : rows) {
            final String setting = (String) row[0];
            Files.writeString(pdfFolder.resolve("engine-test.properties"), setting + "\n");
            final Job switched = new Job("switch");
            switched.pdfFolder = pdfFolder;
            switched.run();
            @SuppressWarnings("unchecked")
            final Consumer<Job> expectation = (Consumer<Job>) row[1];
            expectation.accept(switched);

            Files.delete(pdfFolder.resolve("engine-test.properties"));
            Files.deleteIfExists(pdfFolder.resolve("engine-trace.txt"));
            final Job normal = new Job("normal");
            normal.pdfFolder = pdfFolder;
            normal.run();
            check(is(normal.read, 0) && is(normal.write, 0) && normal.path != null && exists(normal) && size(normal) > 0,
                  "after " + setting + " the next job is normal");
            check(!Files.exists(pdfFolder.resolve("engine-trace.txt")), "after " + setting + " no trace is written");
        }
    }

    static void generatedTypeTablesCompileAgainstTheEngine(Path typeTables) throws Exception
    {
        final JavaCompiler javac = ToolProvider.getSystemJavaCompiler();
        final Path classes = Files.createDirectories(work.resolve("typetables"));
        final String engineJar = System.getProperty("java.class.path");
        final int rc = javac.run(null, null, null, "-nowarn", "-d", classes.toString(), "-cp", engineJar,
                                 typeTables.resolve("TaxFormType.java").toString(),
                                 typeTables.resolve("SlipDataType.java").toString(),
                                 typeTables.resolve("NoteDataType.java").toString());
        check(rc == 0, "the exported type tables compile against the engine's InfoFileItem");
        if (rc != 0)
            return;
        try (URLClassLoader loader = new URLClassLoader(new URL[] {classes.toUri().toURL()},
                                                        EngineTest.class.getClassLoader())) {
            final Class<?> types = Class.forName("vodarevivo.makereport.TaxFormType", true, loader);
            final Object t1 = types.getMethod("getFormTypeInfo", int.class).invoke(null, 1);
            check(t1 != null && t1.getClass().getField("nFormType").getInt(t1) == 1,
                  "TaxFormType finds the T1 by its number");
            check(types.getMethod("getFormTypeInfo", int.class).invoke(null, 999) == null,
                  "TaxFormType finds nothing for an unknown number");
        }
        check(Files.isRegularFile(xmlFolder.resolve("t1.xml")), "the T1's layout stands in the xml folder");
    }

    static void layoutsFollowTheirFilesBetweenJobs() throws Exception
    {
        // The jobs of a run share what they read of the layout folders: a
        // layout rewritten in place, or taken away, between two jobs of the
        // same VM is what the next job prints by.
        final Path xml = Files.createDirectories(work.resolve("changing-xml"));
        try (Stream<Path> layouts = Files.list(xmlFolder)) {
            for (Path l : layouts.filter(Files::isRegularFile).collect(Collectors.toList()))
                Files.copy(l, xml.resolve(l.getFileName()));
        }
        final Path t1 = xml.resolve("t1.xml");
        final String original = Files.readString(t1);
        final String captionOf15000 = "label=\"Total income\" section=\"Total income\"";
        check(original.contains("line=\"15000\" " + captionOf15000), "the T1's layout names line 15000 \"Total income\"");

        final Job before = new Job("layout-before");
        before.xml = xml;
        before.run();
        final String first = pdfText(Path.of(before.path));
        check(hasRow(first, "15000", "52,000.00") && !first.contains("Income before the rewrite"),
              "layout cache: the first job prints line 15000 by the copied layout");

        Files.writeString(t1, original.replace("line=\"15000\" " + captionOf15000,
                                               "line=\"15000\" label=\"Income before the rewrite\" section=\"Total income\""));
        final Job rewritten = new Job("layout-rewritten");
        rewritten.xml = xml;
        rewritten.run();
        final String second = pdfText(Path.of(rewritten.path));
        check(second.contains("Income before the rewrite"),
              "layout cache: a layout rewritten in place between jobs prints with its new caption");

        Files.delete(t1);
        final Job removed = new Job("layout-removed");
        removed.xml = xml;
        removed.run();
        final String third = removed.path == null ? "" : pdfText(Path.of(removed.path));
        // Without the T1's layout the T1 is not printed by its steps.
        check(first.contains("Step 1 – Identification") && second.contains("Step 1 – Identification"),
              "layout cache: the T1 prints by its steps with its layout");
        check(is(removed.write, 0) && !third.contains("Income before the rewrite")
                  && !third.contains("Step 1 – Identification"),
              "layout cache: a layout taken away between jobs no longer prints");
    }

    static void layoutHeadsNameTheirTypes() throws Exception
    {
        // The engine reads only the head of a layout file to know its type,
        // and the whole file when that type is printed. For every layout the
        // program exports, the head names the type the whole file names.
        final Method headKey = Class.forName("vodarevivo.makereport.Layouts").getDeclaredMethod("headKey", Path.class);
        headKey.setAccessible(true);
        final Path bform = xmlFolder.toAbsolutePath().getParent().resolveSibling("bin").resolve("BFormxml");
        int compared = 0;
        int differing = 0;
        for (Path folder : List.of(xmlFolder, xmlFolder.resolve("print"), bform)) {
            try (Stream<Path> files = Files.list(folder)) {
                for (Path file : files.filter(f -> f.toString().endsWith(".xml")).collect(Collectors.toList())) {
                    final String whole = rootKey(Files.readAllBytes(file));
                    if (whole == null)
                        continue;
                    ++compared;
                    final Object head = headKey.invoke(null, file);
                    if (!whole.equals(head)) {
                        ++differing;
                        check(false, "layout head of " + file + ": " + head + ", the whole file: " + whole);
                    }
                }
            }
        }
        check(compared > 200 && differing == 0, "the heads of " + compared + " exported layouts name their files' types");

        // Heads written by hand: {text, what the head names or null}.
        final String[][] heads = {
            {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dataType name=\"X\" kind=\"1\" type=\"21\"></dataType>", "1:21"},
            {"\ufeff<dataType type='5' kind='0'/>", "0:5"},
            {"<dataType\tkind=\" 2 \"\ntype=\"3\"><field id=\"1\"/></dataType>", "2:3"},
            {"<dataType kind=\"0\" title=\"Déclaration générale\" type=\"9\"></dataType>", "0:9"},
            {"<?xml version='1.0' encoding='us-ascii'?><dataType kind=\"0\" type=\"4\"/>", "0:4"},
            {"<!-- a comment first --><dataType kind=\"0\" type=\"1\"/>", null},
            {"<dataType kind=\"&#48;\" type=\"1\"/>", null},
            {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><dataType kind=\"0\" type=\"1\"/>", null},
            {"<dataType kind=\"0\" kind=\"1\" type=\"1\"/>", null},
            {"<dataTypes kind=\"0\" type=\"1\"/>", null},
            {"<clientLetter><dataType kind=\"0\" type=\"1\"/></clientLetter>", null},
            {"<dataType kind=\"0\" type=\"-1\"/>", null},
            {"<dataType kind=\"0\" type=\"1\"", null},
        };
        final Path folder = Files.createDirectories(work.resolve("heads"));
        for (int i = 0; i < heads.length; ++i) {
            final Path file = folder.resolve("head" + i + ".xml");
            final byte[] bytes = heads[i][0].getBytes(StandardCharsets.UTF_8);
            Files.write(file, bytes);
            final Object head = headKey.invoke(null, file);
            check(java.util.Objects.equals(head, heads[i][1]),
                  "layout head " + heads[i][0] + ": " + head + " (expected " + heads[i][1] + ")");
            if (head != null)
                check(head.equals(rootKey(bytes)), "layout head " + heads[i][0] + ": the whole file names " + head);
        }
    }

    /** The kind and type the document's root "dataType" names, read whole as the engine reads it; null for none. */
    static String rootKey(byte[] bytes)
    {
        try {
            final javax.xml.parsers.DocumentBuilderFactory f = javax.xml.parsers.DocumentBuilderFactory.newInstance();
            f.setFeature("http://apache.org/xml/features/disallow-doctype-decl", true);
            final javax.xml.parsers.DocumentBuilder parser = f.newDocumentBuilder();
            parser.setErrorHandler(new org.xml.sax.helpers.DefaultHandler()); // a malformed head is no news
            final org.w3c.dom.Element root = parser.parse(new java.io.ByteArrayInputStream(bytes)).getDocumentElement();
            if (!"dataType".equals(root.getTagName()))
                return null;
            final int kind = Integer.parseInt(root.getAttribute("kind").trim());
            final int type = Integer.parseInt(root.getAttribute("type").trim());
            return kind < 0 || type < 0 ? null : kind + ":" + type;
        } catch (Exception e) {
            return null;
        }
    }

    // ---- one job, in the bridge's order -----------------------------------

    static final class Job
    {
        Path pdfFolder;
        Path output;
        Path returnFile = fixture;
        Path xml = xmlFolder;
        int flags;
        int mode;
        int category;
        int formId;
        int spouse;
        boolean header = true;
        boolean writeBeforeRead;

        Integer read;
        Integer write;
        String path;
        String thrownAt;

        Job(String name) throws IOException
        {
            final Path folder = Files.createTempDirectory(work, name);
            pdfFolder = Files.createDirectories(folder.resolve("pdf"));
            output = Files.createDirectories(folder.resolve("out"));
        }

        void run() throws Exception
        {
            final Class<?> engine = Class.forName("a.b.g1");
            final Object e = engine.getConstructor().newInstance();
            try {
                call(engine, e, "if", new Class<?>[] {String.class}, pdfFolder.toString());
                call(engine, e, "a", new Class<?>[] {String.class}, xml.toString());
                call(engine, e, "a", new Class<?>[] {byte[].class}, (Object) output.toString().getBytes(StandardCharsets.UTF_8));
                call(engine, e, "if", new Class<?>[] {int.class}, flags);
                call(engine, e, "do", new Class<?>[] {});
                call(engine, e, "int", new Class<?>[] {});
                if (!header)
                    call(engine, e, "new", new Class<?>[] {});
                call(engine, e, "for", new Class<?>[] {});
                if (mode != 0)
                    call(engine, e, "a", new Class<?>[] {int.class}, mode);
                final byte[] returnPath = returnFile.toString().getBytes(StandardCharsets.UTF_8);
                if (writeBeforeRead) {
                    write = (Integer) call(engine, e, "a", new Class<?>[] {int.class, int.class, int.class}, spouse, category, formId);
                    read = (Integer) call(engine, e, "if", new Class<?>[] {byte[].class}, (Object) returnPath);
                    return;
                }
                read = (Integer) call(engine, e, "if", new Class<?>[] {byte[].class}, (Object) returnPath);
                // The bridge goes on only after 0, 5166 or 5167.
                if (read != 0 && read != 5166 && read != 5167)
                    return;
                write = (Integer) call(engine, e, "a", new Class<?>[] {int.class, int.class, int.class}, spouse, category, formId);
                path = (String) call(engine, e, "a", new Class<?>[] {});
            } catch (Thrown t) {
                thrownAt = t.method;
            }
        }

        private Object call(Class<?> engine, Object e, String name, Class<?>[] types, Object... args) throws Exception
        {
            final Method m = engine.getMethod(name, types);
            try {
                return m.invoke(e, args);
            } catch (InvocationTargetException ex) {
                throw new Thrown(name);
            }
        }
    }

    static final class Thrown extends Exception
    {
        private static final long serialVersionUID = 1L;
        final String method;

        Thrown(String method)
        {
            this.method = method;
        }
    }

    // ---- helpers -----------------------------------------------------------

    static void check(boolean ok, String what)
    {
        System.out.println((ok ? "ok   " : "FAIL ") + what);
        if (!ok)
            failures.add(what);
    }

    static boolean is(Integer answer, int expected)
    {
        return answer != null && answer == expected;
    }

    static boolean exists(Job j)
    {
        return j.path != null ? Files.exists(Path.of(j.path)) : Files.exists(j.output.resolve("zoe-taxpayer_0_0_0.pdf"));
    }

    static long size(Job j)
    {
        try {
            return Files.size(Path.of(j.path));
        } catch (IOException | RuntimeException e) {
            return -1;
        }
    }

    static boolean traceIsInBridgeOrder(Job j)
    {
        try {
            final List<String> lines = Files.readAllLines(j.pdfFolder.resolve("engine-trace.txt"));
            final List<String> methods = lines.stream().map(l -> l.split(" ")[2]).collect(Collectors.toList());
            final List<String> expected = List.of("<init>()V", "if(Ljava/lang/String;)V", "a(Ljava/lang/String;)V",
                                                  "a([B)V", "if(I)V", "do()V", "int()V", "for()V", "if([B)I",
                                                  "a(III)I", "a()Ljava/lang/String;");
            final String job = lines.get(0).split(" ")[1];
            return methods.equals(expected) && lines.stream().allMatch(l -> l.startsWith("job " + job + " "))
                && lines.get(9).endsWith(" 0 0 0") && lines.get(4).endsWith(" 0");
        } catch (IOException | RuntimeException e) {
            return false;
        }
    }

    /** A form line: its number in its box, then its amount, at the end of a text line. */
    static boolean hasRow(String text, String number, String amount)
    {
        for (String line : text.split("\n")) {
            final String t = " " + line.trim();
            if (t.endsWith(" " + amount) && t.substring(0, t.length() - amount.length()).trim().endsWith(" " + number))
                return true;
        }
        return false;
    }

    /** A box with its caption on the same text line. */
    static boolean hasCaptionedRow(String text, String caption, String number)
    {
        for (String line : text.split("\n"))
            if (line.trim().startsWith(caption) && line.matches(".*\\s" + java.util.regex.Pattern.quote(number) + "\\s.*"))
                return true;
        return false;
    }

    static Path sidecar(String suffix)
    {
        final String name = family.getFileName().toString();
        return family.resolveSibling(name.substring(0, name.lastIndexOf('.')) + suffix);
    }

    /** A record as the archive frames it: its length (little-endian int32), then its bytes. */
    static byte[] framed(byte[] record)
    {
        final java.nio.ByteBuffer b = java.nio.ByteBuffer.allocate(4 + record.length).order(java.nio.ByteOrder.LITTLE_ENDIAN);
        b.putInt(record.length).put(record);
        return b.array();
    }

    static int indexOf(byte[] haystack, byte[] needle)
    {
        outer:
        for (int i = 0; i + needle.length <= haystack.length; ++i) {
            for (int j = 0; j < needle.length; ++j)
                if (haystack[i + j] != needle[j])
                    continue outer;
            return i;
        }
        return -1;
    }

    static List<String> listing(Path folder) throws IOException
    {
        try (Stream<Path> s = Files.list(folder)) {
            return s.map(p -> p.getFileName().toString()).sorted().collect(Collectors.toList());
        }
    }

    static int pages(Path pdf) throws Exception
    {
        final ProcessResult r = run("qpdf", "--show-npages", pdf.toString());
        return Integer.parseInt(r.output.trim());
    }

    /** The first page whose text holds the words, or 1. */
    static int pageOf(Path pdf, String words) throws Exception
    {
        for (int page = 1, n = pages(pdf); page <= n; ++page) {
            final ProcessResult r = run("pdftotext", "-f", "" + page, "-l", "" + page, "-enc", "UTF-8", pdf.toString(), "-");
            if (r.output.contains(words))
                return page;
        }
        return 1;
    }

    /** The page as a PNG picture among the artefacts. */
    static Path picture(Path pdf, int page, String name) throws Exception
    {
        final Path prefix = artefacts.resolve(name);
        final ProcessResult r = run("pdftoppm", "-png", "-r", "110", "-singlefile", "-f", "" + page, "-l", "" + page,
                                    pdf.toString(), prefix.toString());
        check(r.exit == 0, "pdftoppm draws page " + page + " of " + pdf.getFileName() + ": " + r.output);
        return prefix.resolveSibling(name + ".png");
    }

    /**
     * The bytes of every PDF417 symbol of the PDF, page by page (one symbol
     * a page at most), as ZXing's reader decodes the page's picture.
     */
    static List<byte[]> decodeEverySymbol(Path pdf, String name) throws Exception
    {
        final List<byte[]> symbols = new ArrayList<>();
        final Path pictures = Files.createDirectories(work.resolve("pictures-" + name));
        final ProcessResult drawn = run("pdftoppm", "-png", "-r", "200", pdf.toString(), pictures.resolve("page").toString());
        check(drawn.exit == 0, "pdftoppm draws " + pdf.getFileName());
        final List<Path> pages;
        try (Stream<Path> s = Files.list(pictures)) {
            pages = s.sorted().collect(Collectors.toList());
        }
        for (Path page : pages) {
            final Process p = new ProcessBuilder("ZXingReader", "-bytes", "-format", "PDF417", page.toString()).start();
            final ByteArrayOutputStream out = new ByteArrayOutputStream();
            try (InputStream in = p.getInputStream()) {
                in.transferTo(out);
            }
            p.getErrorStream().transferTo(OutputStream.nullOutputStream());
            p.waitFor();
            if (out.size() > 0)
                symbols.add(out.toByteArray());
        }
        if (!pages.isEmpty())
            Files.copy(pages.get(0), artefacts.resolve("barcode-page-" + name + ".png"),
                       java.nio.file.StandardCopyOption.REPLACE_EXISTING);
        return symbols;
    }

    static boolean isEmptyFolder(Path folder) throws IOException
    {
        try (Stream<Path> s = Files.list(folder)) {
            return s.findAny().isEmpty();
        }
    }

    static String pdfText(Path pdf) throws Exception
    {
        final ProcessResult r = run("pdftotext", "-layout", "-enc", "UTF-8", pdf.toString(), "-");
        check(r.exit == 0, "pdftotext reads " + pdf.getFileName());
        return r.output;
    }

    static final class ProcessResult
    {
        int exit;
        String output;
    }

    static ProcessResult run(String... command) throws Exception
    {
        final Process p = new ProcessBuilder(command).redirectErrorStream(true).start();
        final ByteArrayOutputStream out = new ByteArrayOutputStream();
        try (InputStream in = p.getInputStream()) {
            in.transferTo(out);
        }
        final ProcessResult r = new ProcessResult();
        r.exit = p.waitFor();
        r.output = out.toString(StandardCharsets.UTF_8);
        return r;
    }

    static void deleteTree(Path root) throws IOException
    {
        try (Stream<Path> all = Files.walk(root)) {
            for (Path p : all.sorted(Comparator.reverseOrder()).collect(Collectors.toList()))
                Files.deleteIfExists(p);
        }
    }
}
