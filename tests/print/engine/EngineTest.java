// The print engine driven as the program's bridge drives it: one engine
// object per job, its methods reached by their real (keyword) names through
// reflection, on a return the program itself wrote. The PDF is checked with
// qpdf and read back with pdftotext.
//
// Usage: java -cp mr.jar EngineTest.java RETURN_FILE RESOURCE_FOLDER TYPE_TABLES_FOLDER COUPLED_RETURN_FILE

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
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

    public static void main(String[] args) throws Exception
    {
        fixture = Path.of(args[0]);
        xmlFolder = Path.of(args[1], "xml");
        final Path typeTables = Path.of(args[2]);
        coupled = Path.of(args[3]);
        work = Files.createTempDirectory("engine-test");
        try {
            wholeReturnWithClientLetter();
            slipsOnlyCondensedWithoutHeader();
            ownClientLetterIsPrinted();
            spouseReturn();
            unwritableTraceChangesNothing();
            writeBeforeReadIsRefused();
            unreadableReturnFiles();
            switchesTakeEffectForOneJobOnly();
            generatedTypeTablesCompileAgainstTheEngine(typeTables);
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

    static void wholeReturnWithClientLetter() throws Exception
    {
        final Job job = new Job("whole");
        job.output = Files.createDirectories(work.resolve("whole").resolve("Sortie Données"));
        job.flags = 44; // client letter (36) and invoice (8)
        job.run();
        check(is(job.read, 0), "whole return: read answers 0 (got " + job.read + ")");
        check(is(job.write, 0), "whole return: write answers 0 (got " + job.write + ")");
        final Path pdf = job.output.resolve("zoe_0_0_0.pdf");
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
                 "T1 Income Tax and Benefit Return",
                 "T4 Statement of Remuneration Paid",
                 "Zoé Bélanger-Côté",
                 "Dependant: Léa Bélanger-Côté (Son or daughter, born 2016-08-20)",
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

    static void slipsOnlyCondensedWithoutHeader() throws Exception
    {
        final Job job = new Job("slips");
        job.header = false;
        job.mode = 1;
        job.category = 1;
        job.run();
        check(is(job.write, 0), "slips: write answers 0 (got " + job.write + ")");
        final Path pdf = job.output.resolve("zoe_1_1_0.pdf");
        check(Files.isRegularFile(pdf), "slips: the PDF is named after the mode, category and form id");
        final String text = pdfText(pdf);
        check(text.contains("T4 Statement of Remuneration Paid"), "slips: the T4 is printed");
        check(!text.contains("T1 Income Tax and Benefit Return"), "slips: the T1 is not printed");
        check(text.contains("Header: off"), "slips: the header is off once \"new\" ran");
        check(text.contains("Mode: 1"), "slips: the mode is shown");
        check(text.contains("Client letter: none"), "slips: no client letter without flags 36");
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
        job.run();
        check(is(job.write, 0), "spouse: write answers 0 (got " + job.write + ")");
        final String text = pdfText(Path.of(job.path));
        check(text.contains("Taxpayer: Coupled Seed"), "spouse: the cover names the taxpayer");
        check(text.contains("Printed for: the spouse, Partner"), "spouse: the spouse's return is printed");
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
                                                     && Files.exists(j.output.resolve("zoe_0_0_0.pdf")), "path=none reports no path")},
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

    // ---- one job, in the bridge's order -----------------------------------

    static final class Job
    {
        Path pdfFolder;
        Path output;
        Path returnFile = fixture;
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
                call(engine, e, "a", new Class<?>[] {String.class}, xmlFolder.toString());
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
        return j.path != null ? Files.exists(Path.of(j.path)) : Files.exists(j.output.resolve("zoe_0_0_0.pdf"));
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

    static boolean hasRow(String text, String number, String amount)
    {
        for (String line : text.split("\n")) {
            final String t = line.trim();
            if (t.startsWith(number + " ") && t.endsWith(" " + amount))
                return true;
        }
        return false;
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
