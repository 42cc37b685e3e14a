package vodarevivo.makereport;

/**
 * What every print job of a run needs once, made ready in the background
 * from the moment the program starts its Java VM: the engine's font parsed
 * and its tables read as embedding reads them, the PDF library's document
 * and font classes set up, and the layout parser made. The program starts
 * the VM at its first print and calls the job's steps right after; this work
 * would otherwise wait for the job's write step and add to the first PDF.
 * It goes on beside the job's own first steps (reading the return, listing
 * the layout folders) instead.
 *
 * Nothing is written and nothing a job prints depends on it: a job that
 * needs the font or the parser before it is ready waits for it, and a
 * failure here leaves the job to do the same work itself and report it.
 */
public final class WarmUp
{
    private static Thread thread;

    private WarmUp()
    {
    }

    /** Starts the work once a run; later calls do nothing. */
    public static synchronized void start()
    {
        if (thread != null)
            return;
        thread = new Thread(WarmUp::run, "print engine warm-up");
        // The VM never waits for it: the program may end before it is done.
        thread.setDaemon(true);
        thread.start();
    }

    /** Waits until the work is done (tests); false when it was never started. */
    public static boolean awaitDone() throws InterruptedException
    {
        final Thread started;
        synchronized (WarmUp.class) {
            started = thread;
        }
        if (started == null)
            return false;
        started.join();
        return true;
    }

    private static void run()
    {
        try {
            Layouts.prepareParser();
            ReportPdf.prepare();
        } catch (Exception | LinkageError e) {
            // The job itself does the same work and reports what fails.
        }
    }
}
