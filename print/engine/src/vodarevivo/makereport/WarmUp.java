package vodarevivo.makereport;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import org.apache.pdfbox.pdmodel.PDDocument;

/**
 * What every print job of a run needs once, made ready in the background
 * from the moment the program starts its Java VM. The program starts the VM
 * at its first print and calls the job's steps right after; this work would
 * otherwise wait for the job's write step and add to the first PDF. It goes
 * on beside the job's own first steps instead, on five threads:
 *
 * - the layouts: the program's layout folders listed and the T1's layout
 *   read (every job reads the person's T1 through it). The folders are those
 *   the program's configuration names by default, "xml" beside the engine's
 *   archive; a job given other folders lists and reads its own, as it would
 *   have.
 * - the layout parser, made meanwhile.
 * - the locale and time zone data: the calendar the font's header reads its
 *   dates with, the number formats amounts print with and the time zone of
 *   the job's date (the first of them sets the locale data up for all).
 * - the engine's font: parsed, and its tables read as embedding reads them.
 * - the PDF library: its document set up, then a scratch document with a
 *   line of text in the engine's font written to nowhere (the font's
 *   embedding, the page, compression and writer set up).
 *
 * Nothing is written to a file and nothing a job prints depends on it: the
 * run's caches it fills are the ones a job fills (and checks) itself, under
 * the same locks, and a failure here leaves the job to do the same work
 * itself and report it. A job waits for the PDF library's part to end
 * before its own first use of the library, so that only one thread at a
 * time sets the library up.
 */
public final class WarmUp
{
    private static final String DEFAULT_LAYOUT_FOLDER = "xml";

    private static List<Thread> threads;
    private static Thread pdfLibrary;

    private WarmUp()
    {
    }

    /** Starts the work once a run; later calls do nothing. */
    public static synchronized void start()
    {
        if (threads != null)
            return;
        pdfLibrary = new Thread(() -> quietly(WarmUp::pdfLibrary), "print engine warm-up: PDF library");
        threads = List.of(new Thread(() -> quietly(WarmUp::layouts), "print engine warm-up: layouts"),
                          new Thread(() -> quietly(Layouts::parser), "print engine warm-up: layout parser"),
                          new Thread(() -> quietly(WarmUp::localeData), "print engine warm-up: locale data"),
                          new Thread(() -> quietly(ReportPdf::prepareFont), "print engine warm-up: font"),
                          pdfLibrary);
        for (Thread t : threads) {
            // The VM never waits for them: the program may end before they are done.
            t.setDaemon(true);
            t.start();
        }
    }

    /** Waits until the work is done (tests); false when it was never started. */
    public static boolean awaitDone() throws InterruptedException
    {
        final List<Thread> started;
        synchronized (WarmUp.class) {
            started = threads;
        }
        if (started == null)
            return false;
        for (Thread t : started)
            t.join();
        return true;
    }

    /** Waits until the PDF library's part is done, when it was started (by a job, before its first use of the library). */
    static void awaitPdfLibrary()
    {
        final Thread started;
        synchronized (WarmUp.class) {
            started = pdfLibrary;
        }
        if (started == null)
            return;
        boolean interrupted = false;
        for (;;) {
            try {
                started.join();
                break;
            } catch (InterruptedException e) {
                interrupted = true;
            }
        }
        if (interrupted)
            Thread.currentThread().interrupt();
    }

    private interface Work
    {
        void run() throws Exception;
    }

    private static void quietly(Work work)
    {
        try {
            work.run();
        } catch (Exception | LinkageError e) {
            // The job itself does the same work and reports what fails.
        }
    }

    private static void layouts() throws Exception
    {
        final Path xml = defaultLayoutFolder();
        if (xml != null && Files.isDirectory(xml))
            Layouts.load(PrintJob.layoutFolders(xml)).find(ReturnFile.KIND_FORM, PersonInfo.T1);
    }

    private static void localeData()
    {
        java.util.Calendar.getInstance(java.util.TimeZone.getTimeZone("UTC"));
        Amounts.format(0.0, 2, true);
        java.time.LocalDate.now();
    }

    private static void pdfLibrary() throws Exception
    {
        new PDDocument().close();
        ReportPdf.prepare();
    }

    /** The layout folder beside the engine's archive, or null when the archive's place is not known. */
    private static Path defaultLayoutFolder() throws Exception
    {
        final java.security.CodeSource source = WarmUp.class.getProtectionDomain().getCodeSource();
        if (source == null || source.getLocation() == null)
            return null;
        final Path archive = Path.of(source.getLocation().toURI());
        return archive.getParent() == null ? null : archive.getParent().resolve(DEFAULT_LAYOUT_FOLDER);
    }
}
