package vodarevivo.makereport;

import a.b.g1;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;

/**
 * The print jobs a run of the program typically makes, called the way the
 * program's bridge calls the engine: the whole return, its condensed print
 * and the spouse's copy with the invoice and the client letter. The build
 * runs them once in a Java VM that records every class they load into a
 * class data archive beside the engine's jar; the program's VM maps the
 * classes from there instead of reading, parsing and verifying them from the
 * jar at its first print.
 *
 * Usage: RepresentativeJobs RESOURCE_FOLDER RETURN_FILE WORK_FOLDER
 * (the layouts in RESOURCE_FOLDER/xml; the PDFs are written in WORK_FOLDER).
 * Ends with status 1 when a job fails: the archive would then miss classes
 * a real print loads.
 */
public final class RepresentativeJobs
{
    private static final int INVOICE_AND_CLIENT_LETTER = 8 | 36;
    private static final int CONDENSED = 1;

    private RepresentativeJobs()
    {
    }

    public static void main(String[] args) throws Exception
    {
        if (args.length != 3) {
            System.err.println("usage: RepresentativeJobs RESOURCE_FOLDER RETURN_FILE WORK_FOLDER");
            System.exit(2);
        }
        final Path resources = Path.of(args[0]);
        final Path work = Path.of(args[2]);
        final Path pdfFolder = Files.createDirectories(work.resolve("pdf"));
        final Path output = Files.createDirectories(work.resolve("out"));
        final int[][] jobs = {
            // spouse, mode, flags
            {0, 0, 0},
            {0, CONDENSED, 0},
            {1, 0, INVOICE_AND_CLIENT_LETTER},
        };
        int failed = 0;
        for (int[] job : jobs) {
            final int result = print(resources, pdfFolder, output, args[1], job[0], job[1], job[2]);
            if (result != 0) {
                System.err.println("print job " + job[0] + " " + job[1] + " " + job[2] + " ended with " + result);
                ++failed;
            }
        }
        System.exit(failed == 0 ? 0 : 1);
    }

    private static int print(Path resources, Path pdfFolder, Path output, String returnFile, int spouse, int mode,
                             int flags)
    {
        final g1 engine = new g1();
        engine.if_(pdfFolder.toString());
        engine.a(resources.resolve("xml").toString());
        engine.a(output.toString().getBytes(StandardCharsets.UTF_8));
        engine.if_(flags);
        engine.do_();
        engine.int_();
        engine.for_();
        if (mode != 0)
            engine.a(mode);
        final int read = engine.if_(returnFile.getBytes(StandardCharsets.UTF_8));
        if (read != PrintJob.READ_OK)
            return 100 + read;
        final int written = engine.a(spouse, -1, 0);
        if (written != PrintJob.WRITE_OK)
            return 200 + written;
        return engine.a() == null ? 300 : 0;
    }
}
