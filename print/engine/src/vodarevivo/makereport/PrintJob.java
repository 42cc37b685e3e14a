package vodarevivo.makereport;

import java.io.BufferedOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.FileSystems;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.nio.file.attribute.FileAttribute;
import java.nio.file.attribute.PosixFilePermission;
import java.nio.file.attribute.PosixFilePermissions;
import java.security.MessageDigest;
import java.security.NoSuchAlgorithmException;
import java.time.LocalDate;
import java.util.ArrayList;
import java.util.EnumSet;
import java.util.HexFormat;
import java.util.List;
import java.util.Set;
import java.util.concurrent.atomic.AtomicInteger;
import org.apache.pdfbox.pdmodel.PDDocument;

/**
 * One print job: what the bridge hands over step by step, the return file it
 * reads and the PDF it writes. The engine object of each job owns one.
 *
 * Read answers: 0 read; 2 missing, empty or unreadable; 4 not a return file
 * of this version and year; 6 its records are damaged.
 * Write answers: 0 written; 1 the PDF could not be written; 2 no return was
 * read; 3 the steps came in another order than the bridge's.
 */
public final class PrintJob
{
    public static final int READ_OK = 0;
    public static final int READ_NO_FILE = 2;
    public static final int READ_NOT_A_RETURN = 4;
    public static final int READ_DAMAGED = 6;
    public static final int WRITE_OK = 0;
    public static final int WRITE_FAILED = 1;
    public static final int WRITE_NOTHING_READ = 2;
    public static final int WRITE_OUT_OF_ORDER = 3;

    static final String OWN_CLIENT_LETTER = "t1_clientletter_own.pdf";
    private static final long MAX_RETURN_BYTES = 64L << 20;
    private static final int PDF_BUFFER_BYTES = 64 << 10;
    private static final int CLIENT_LETTER_FLAGS = 36;
    private static final int FULL_SIN_FLAG = 16;
    private static final int INVOICE_FLAG = 8;
    private static final int CONDENSED = 1;
    /** The layouts of the forms that have no layout file of their own, inside the XML folder. */
    private static final String ENGINE_LAYOUTS = "print";
    private static final int T1 = TaxFormType.CONST_T1;
    private static final int RETURN_SUMMARY = TaxFormType.CONST_T1KS;

    private static final AtomicInteger jobCount = new AtomicInteger();
    private static final AtomicInteger temporaryCount = new AtomicInteger();
    private static final boolean POSIX = FileSystems.getDefault().supportedFileAttributeViews().contains("posix");
    private static final FileAttribute<Set<PosixFilePermission>> OWNER_ONLY =
        PosixFilePermissions.asFileAttribute(EnumSet.of(PosixFilePermission.OWNER_READ, PosixFilePermission.OWNER_WRITE));

    private final int number = jobCount.incrementAndGet();
    private final CallLog calls = new CallLog(number);
    private TestSwitches switches = new TestSwitches();
    private boolean switchesRead;

    private String pdfFolder;
    private String xmlFolder;
    private byte[] outputFolder;
    private int flags;
    private int mode;
    private boolean header = true;

    private String returnPath;
    private int readAnswer = -1;
    private long returnSize;
    private String returnDigest;
    private ReturnFile parsed;

    private String pdfPath;

    public void constructed()
    {
        calls.record("<init>", "()V", "");
    }

    /** Records a call; the first one of the job reads the test switches. May throw when a switch asks. */
    public void call(String name, String descriptor, String arguments)
    {
        calls.record(name, descriptor, arguments);
        if (!switchesRead) {
            switchesRead = true;
            final Path folder = pathOrNull(pdfFolder);
            switches = TestSwitches.readFrom(folder);
            if (switches.trace && folder != null)
                calls.traceTo(folder.resolve(TestSwitches.TRACE_FILE_NAME));
        }
        if (switches.throwsAt(name, descriptor))
            throw new IllegalStateException("engine test switch: thrown at " + name + descriptor);
    }

    public void setPdfFolder(String folder)
    {
        pdfFolder = folder;
    }

    public void setXmlFolder(String folder)
    {
        xmlFolder = folder;
    }

    public void setOutputFolder(byte[] folder)
    {
        outputFolder = folder == null ? null : folder.clone();
    }

    public void setFlags(int value)
    {
        flags = value;
    }

    public void setMode(int value)
    {
        mode = value;
    }

    public void headerOff()
    {
        header = false;
    }

    public int read(byte[] pathBytes)
    {
        readAnswer = readReturn(pathBytes);
        if (switches.readResult != null)
            readAnswer = switches.readResult;
        return readAnswer;
    }

    public int write(int spouse, int category, int formId)
    {
        if (!calls.inBridgeOrder())
            return WRITE_OUT_OF_ORDER;
        if (switches.writeResult != null)
            return switches.writeResult;
        if (parsed == null)
            return WRITE_NOTHING_READ;
        final Path folder = pathOrNull(outputFolderText());
        if (folder == null || !Files.isDirectory(folder))
            return WRITE_FAILED;
        // One file per person and selection: printing the spouse never
        // replaces the taxpayer's PDF, and a reprint replaces only its own.
        final Path target = folder.resolve(baseName(returnPath) + "-" + (spouse != 0 ? "spouse" : "taxpayer") + "_"
                                           + mode + "_" + category + "_" + formId + ".pdf");
        pdfPath = target.toAbsolutePath().toString();
        if ("none".equals(switches.pdf))
            return WRITE_OK;
        Path temporary = null;
        try {
            // Written beside the target and renamed: the PDF's name never
            // stands for a half-written file.
            temporary = createTemporaryBeside(target);
            if (!"empty".equals(switches.pdf)) {
                // Buffered: the PDF writer hands over a few bytes at a time,
                // and each write of a bare file stream is a system call.
                try (OutputStream out = new BufferedOutputStream(Files.newOutputStream(temporary), PDF_BUFFER_BYTES)) {
                    writePdf(out, spouse, category, formId);
                }
            }
            Files.move(temporary, target, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
            return WRITE_OK;
        } catch (IOException | RuntimeException e) {
            if (temporary != null) {
                try {
                    Files.deleteIfExists(temporary);
                } catch (IOException ignored) {
                    // nothing more can be done about a leftover temporary file
                }
            }
            pdfPath = null;
            return WRITE_FAILED;
        }
    }

    /**
     * A new empty file beside the target, named after it with a number of the
     * run, readable and writable by its owner only. Never one that is there
     * already (a leftover of another run takes the next number). The PDF is
     * written into it and takes its permissions when it is renamed.
     *
     * Not Files.createTempFile: it draws its names from the system's secure
     * random generator, whose setup the first print of a run would wait for.
     */
    static Path createTemporaryBeside(Path target) throws IOException
    {
        final String prefix = "." + target.getFileName() + ".";
        for (;;) {
            final Path candidate = target.resolveSibling(prefix + temporaryCount.incrementAndGet() + ".part");
            try {
                return POSIX ? Files.createFile(candidate, OWNER_ONLY) : Files.createFile(candidate);
            } catch (FileAlreadyExistsException e) {
                // taken: the next number
            }
        }
    }

    public String pdfPath()
    {
        return switches.noPath ? null : pdfPath;
    }

    public static String quoted(String text)
    {
        return text == null ? "null" : "\"" + text + "\"";
    }

    public static String bytesArgument(byte[] bytes)
    {
        if (bytes == null)
            return "null";
        return "\"" + new String(bytes, StandardCharsets.UTF_8) + "\" (" + bytes.length + " bytes)";
    }

    private int readReturn(byte[] pathBytes)
    {
        parsed = null;
        returnPath = pathBytes == null ? null : new String(pathBytes, StandardCharsets.UTF_8);
        final Path path = pathOrNull(returnPath);
        if (path == null)
            return READ_NO_FILE;
        final byte[] bytes;
        try {
            if (!Files.isRegularFile(path) || Files.size(path) > MAX_RETURN_BYTES)
                return READ_NO_FILE;
            bytes = Files.readAllBytes(path);
        } catch (IOException | RuntimeException e) {
            return READ_NO_FILE;
        }
        if (bytes.length == 0)
            return READ_NO_FILE;
        returnSize = bytes.length;
        // Only the facts page shows the digest: a print without it does not
        // pay for hashing the whole file.
        returnDigest = switches.facts ? sha256(bytes) : null;
        if (!ReturnFile.hasCurrentHeader(bytes))
            return READ_NOT_A_RETURN;
        try {
            parsed = ReturnFile.parse(bytes);
        } catch (ReturnFile.DamagedException e) {
            return READ_DAMAGED;
        }
        return READ_OK;
    }

    private void writePdf(OutputStream out, int spouse, int category, int formId) throws IOException
    {
        final Path xml = pathOrNull(xmlFolder);
        final Layouts layouts = Layouts.load(layoutFolders(xml));
        final PersonInfo person = new PersonInfo(spouse != 0 ? parsed.spouse : parsed.taxpayer, layouts);
        final PersonInfo other = new PersonInfo(spouse != 0 ? parsed.taxpayer : parsed.spouse, layouts);
        final List<String> familySins = new ArrayList<>();
        familySins.add(person.sin());
        familySins.add(other.sin());
        for (ReturnFile.Dependant d : parsed.dependants)
            familySins.add(d.sin);
        final Sins sins = new Sins((flags & FULL_SIN_FLAG) != 0, familySins);
        final Preparer preparer = Preparer.of(pathOrNull(pdfFolder), person);
        final String name = person.name();
        final LocalDate today = LocalDate.now();

        final List<ReturnFile.Item> items = mode == CONDENSED ? List.of() : printedItems(person, category, formId);
        // The layouts of the forms and slips printed below, read before the
        // PDF is begun: at the run's first job, while the warm-up may still
        // be setting the PDF library up, rather than between its pages.
        for (ReturnFile.Item item : items)
            if (!printsAsT1(item, person))
                layouts.find(item.kind, item.type);
        // The run's warm-up may still be setting the PDF library up: one
        // thread at a time does, and this job's document then finds it ready.
        WarmUp.awaitPdfLibrary();
        try (ReportPdf pdf = new ReportPdf(header ? ReturnFile.TAX_YEAR + " income tax and benefit return - " + name : null);
             PDDocument ownLetter = ownClientLetter()) {
            final FormPrinter forms = new FormPrinter(pdf, layouts, sins, person);
            if (mode == CONDENSED) {
                new CondensedPrint(pdf, forms, person).print();
            } else {
                final T1Printer t1 = new T1Printer(pdf, forms, person, sins, preparer);
                boolean dependantsListed = false;
                for (ReturnFile.Item item : items) {
                    if (printsAsT1(item, person)) {
                        t1.print(item, person.layout);
                        dependantsListed = listDependants(pdf, spouse);
                    } else {
                        forms.print(item);
                    }
                }
                if (!dependantsListed && category == ReturnFile.KIND_FORM && formId == 0)
                    listDependants(pdf, spouse);
                if ((flags & INVOICE_FLAG) != 0)
                    InvoicePage.print(pdf, preparer, person, today);
                if ((flags & CLIENT_LETTER_FLAGS) == CLIENT_LETTER_FLAGS) {
                    final java.util.Map<String, String> letterFacts =
                        ClientLetter.facts(person, refundOrBalance(person), preparer, today);
                    if (ownLetter != null)
                        ClientLetter.printOwn(pdf, ownLetter,
                                              ClientLetter.layout(xml == null ? null : xml.resolve(ClientLetter.OWN_XML)),
                                              letterFacts);
                    else
                        ClientLetter.printBuiltIn(pdf, letterFacts);
                }
            }

            if (switches.facts) {
                pdf.newPage();
                pdf.title("Print job");
                for (String fact : facts(spouse, category, formId))
                    pdf.line(fact);
            }
            if (pdf.document().getNumberOfPages() == 0) {
                pdf.newPage();
                pdf.line("Nothing of this return matches the selection.");
            }
            pdf.save(out);
        }
    }

    private static boolean isT1(ReturnFile.Item item)
    {
        return item.kind == ReturnFile.KIND_FORM && item.type == PersonInfo.T1;
    }

    /** Whether the item prints as the T1 with its steps, rather than as a form of its layout. */
    private static boolean printsAsT1(ReturnFile.Item item, PersonInfo person)
    {
        return isT1(item) && person.layout != null;
    }

    /**
     * The person's items the job prints, in print order: the T1 first, as
     * the return is read; then the forms, schedules and slips in the
     * return's own order.
     */
    private static List<ReturnFile.Item> printedItems(PersonInfo person, int category, int formId)
    {
        final List<ReturnFile.Item> items = new ArrayList<>();
        if (person.person == null)
            return items;
        for (boolean t1Pass : new boolean[] {true, false})
            for (ReturnFile.Item item : person.person.items)
                if (isT1(item) == t1Pass && selected(item, category, formId))
                    items.add(item);
        return items;
    }

    /** The family's dependants, on the taxpayer's return only: they belong to the family, listed once. */
    private boolean listDependants(ReportPdf pdf, int spouse) throws IOException
    {
        if (spouse != 0)
            return true;
        boolean any = false;
        for (ReturnFile.Dependant d : parsed.dependants) {
            if (!d.isUsed())
                continue;
            if (!any)
                pdf.heading("Dependants");
            any = true;
            pdf.line(d.describe());
        }
        return true;
    }

    /** The letter's sentence on the result: the T1's refund or balance owing line. */
    private static String refundOrBalance(PersonInfo person)
    {
        final Object refund = lineValue(person, "48400");
        final Object owing = lineValue(person, "48500");
        if (refund instanceof Double && (Double) refund > 0)
            return "Your refund is $" + Amounts.format((Double) refund, 2, true) + ".";
        if (owing instanceof Double && (Double) owing > 0)
            return "Your balance owing is $" + Amounts.format((Double) owing, 2, true) + ".";
        return "There is no refund and no balance owing.";
    }

    private static Object lineValue(PersonInfo person, String line)
    {
        if (!person.hasT1())
            return null;
        for (Layouts.Field f : person.layout.fields)
            if (line.equals(f.line))
                return person.t1.values.get(f.id);
        return null;
    }

    private List<String> facts(int spouse, int category, int formId)
    {
        final List<String> lines = new ArrayList<>();
        lines.add("Return file: " + fileName(returnPath));
        lines.add("File version: " + parsed.taxpayer.version);
        lines.add("Tax year: " + parsed.taxpayer.year);
        lines.add("Size: " + returnSize + " bytes");
        lines.add("SHA-256: " + returnDigest);
        lines.add("Spouse: " + spouse);
        lines.add("Mode: " + mode);
        lines.add("Category: " + category);
        lines.add("Form id: " + formId);
        lines.add("Flags: " + flags);
        lines.add("Header: " + (header ? "on" : "off"));
        lines.add("Client letter: " + clientLetterFact());
        lines.add("PDF folder: " + pdfFolder);
        lines.add("XML folder: " + xmlFolder);
        lines.add("Output folder: " + outputFolderText() + " (" + (outputFolder == null ? 0 : outputFolder.length)
                  + " bytes)");
        return lines;
    }

    private String clientLetterFact()
    {
        if ((flags & CLIENT_LETTER_FLAGS) != CLIENT_LETTER_FLAGS)
            return "none";
        final Path own = ownClientLetterPath();
        try {
            if (own != null && Files.isRegularFile(own))
                return OWN_CLIENT_LETTER + " " + Files.size(own) + " bytes";
        } catch (IOException e) {
            // an unreadable letter counts as absent
        }
        return "built-in";
    }

    private PDDocument ownClientLetter()
    {
        if ((flags & CLIENT_LETTER_FLAGS) != CLIENT_LETTER_FLAGS)
            return null;
        final Path own = ownClientLetterPath();
        if (own == null || !Files.isRegularFile(own))
            return null;
        try {
            return PDDocument.load(own.toFile());
        } catch (IOException e) {
            return null; // a damaged template: the built-in letter prints instead
        }
    }

    private Path ownClientLetterPath()
    {
        final Path folder = pathOrNull(pdfFolder);
        return folder == null ? null : folder.resolve(OWN_CLIENT_LETTER);
    }

    /** Which items the job prints: the whole return, or what the category and id name. */
    private static boolean selected(ReturnFile.Item item, int category, int formId)
    {
        switch (category) {
        case ReturnFile.KIND_FORM:
            return formId == 0 || (item.kind == ReturnFile.KIND_FORM && item.id == formId);
        case ReturnFile.KIND_SLIP:
        case ReturnFile.KIND_NOTE:
            return item.kind == category && (formId == 0 || item.id == formId);
        case 99: // the result page: the return summary
            return item.kind == ReturnFile.KIND_FORM && item.type == RETURN_SUMMARY;
        default: // nothing selected: the whole return
            return true;
        }
    }

    /**
     * The folders a job looks its layouts up in, in order, for the XML
     * folder it was given: the engine's own layouts inside it, the folder
     * itself, and the slips' folder.
     */
    static List<Path> layoutFolders(Path xml)
    {
        final List<Path> folders = new ArrayList<>();
        folders.add(xml == null ? null : xml.resolve(ENGINE_LAYOUTS));
        folders.add(xml);
        folders.add(bformFolder(xml));
        return folders;
    }

    /**
     * Slips describe themselves only in the program's "BFormxml" folder,
     * which sits beside its resource folder's sibling "bin".
     */
    private static Path bformFolder(Path xml)
    {
        if (xml == null || xml.toAbsolutePath().getParent() == null)
            return null;
        return xml.toAbsolutePath().getParent().resolveSibling("bin").resolve("BFormxml");
    }

    private String outputFolderText()
    {
        return outputFolder == null ? "" : new String(outputFolder, StandardCharsets.UTF_8);
    }

    private static Path pathOrNull(String text)
    {
        if (text == null || text.isEmpty())
            return null;
        try {
            return Paths.get(text);
        } catch (InvalidPathException e) {
            return null;
        }
    }

    private static String fileName(String path)
    {
        final Path p = pathOrNull(path);
        return p == null || p.getFileName() == null ? "" : p.getFileName().toString();
    }

    private static String baseName(String path)
    {
        final String name = fileName(path);
        final int dot = name.lastIndexOf('.');
        return dot > 0 ? name.substring(0, dot) : name;
    }

    private static String sha256(byte[] bytes)
    {
        try {
            return HexFormat.of().formatHex(MessageDigest.getInstance("SHA-256").digest(bytes));
        } catch (NoSuchAlgorithmException e) {
            throw new IllegalStateException(e);
        }
    }
}
