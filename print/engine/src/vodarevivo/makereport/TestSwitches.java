package vodarevivo.makereport;

import java.io.IOException;
import java.io.InputStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Properties;

/**
 * Switches that let tests make the engine fail in each way its caller has to
 * handle. They come from "engine-test.properties" in the PDF folder and are
 * read anew by every job, since the virtual machine outlives the jobs. Without
 * the file every switch is off.
 */
final class TestSwitches
{
    static final String FILE_NAME = "engine-test.properties";
    static final String TRACE_FILE_NAME = "engine-trace.txt";

    boolean trace;
    Integer readResult;   // forced answer of the read step
    Integer writeResult;  // forced non-zero answer of the write step, nothing written
    String throwStep;     // method name, or name and descriptor, that throws
    String pdf = "";      // "empty": a zero-byte PDF; "none": no PDF but its path reported
    boolean noPath;       // the path getter answers null
    boolean facts;        // a last page with the job's facts (file, digest, arguments, folders)

    static TestSwitches readFrom(Path pdfFolder)
    {
        final TestSwitches s = new TestSwitches();
        if (pdfFolder == null)
            return s;
        final Path file = pdfFolder.resolve(FILE_NAME);
        if (!Files.isRegularFile(file))
            return s;
        final Properties p = new Properties();
        try (InputStream in = Files.newInputStream(file)) {
            p.load(in);
        } catch (IOException | IllegalArgumentException e) {
            return s;
        }
        s.trace = "1".equals(p.getProperty("trace", "").trim());
        s.readResult = integer(p.getProperty("read"));
        s.writeResult = integer(p.getProperty("write"));
        if (s.writeResult != null && s.writeResult == 0)
            s.writeResult = null;
        final String step = p.getProperty("throw", "").trim();
        s.throwStep = step.isEmpty() ? null : step;
        s.pdf = p.getProperty("pdf", "").trim();
        s.noPath = "none".equals(p.getProperty("path", "").trim());
        s.facts = "1".equals(p.getProperty("facts", "").trim());
        return s;
    }

    boolean throwsAt(String name, String descriptor)
    {
        return throwStep != null && (throwStep.equals(name) || throwStep.equals(name + descriptor));
    }

    private static Integer integer(String text)
    {
        if (text == null)
            return null;
        try {
            return Integer.valueOf(text.trim());
        } catch (NumberFormatException e) {
            return null;
        }
    }
}
