package a.b;

import vodarevivo.makereport.PrintJob;
import vodarevivo.makereport.WarmUp;

/**
 * The print engine as the program's bridge sees it: one object per print job,
 * its methods called once each in a fixed order. Five of the names the bridge
 * looks up are Java keywords; they are written here with a trailing underscore
 * and take their real names when the build rewrites the class file.
 */
public class g1
{
    // The program looks the class up as it starts the VM, at its first
    // print: what every job needs once starts being made ready then.
    static {
        WarmUp.start();
    }

    private final PrintJob job = new PrintJob();

    public g1()
    {
        job.constructed();
    }

    /** The PDF template folder; also where the test switches and the trace live. */
    public void if_(String pdfFolder)
    {
        // The folder first: the first call of a job looks there for the test switches.
        job.setPdfFolder(pdfFolder);
        job.call("if", "(Ljava/lang/String;)V", PrintJob.quoted(pdfFolder));
    }

    /** The XML layout folder. */
    public void a(String xmlFolder)
    {
        job.call("a", "(Ljava/lang/String;)V", PrintJob.quoted(xmlFolder));
        job.setXmlFolder(xmlFolder);
    }

    /** The output folder, as UTF-8 bytes. */
    public void a(byte[] outputFolder)
    {
        job.call("a", "([B)V", PrintJob.bytesArgument(outputFolder));
        job.setOutputFolder(outputFolder);
    }

    /** The print flags. */
    public void if_(int flags)
    {
        job.call("if", "(I)V", Integer.toString(flags));
        job.setFlags(flags);
    }

    public void do_()
    {
        job.call("do", "()V", "");
    }

    public void int_()
    {
        job.call("int", "()V", "");
    }

    /** Called only when the page header is switched off. */
    public void new_()
    {
        job.call("new", "()V", "");
        job.headerOff();
    }

    public void for_()
    {
        job.call("for", "()V", "");
    }

    /** The print mode; called only when it is not 0. */
    public void a(int mode)
    {
        job.call("a", "(I)V", Integer.toString(mode));
        job.setMode(mode);
    }

    /** Reads the return file whose path the bytes hold (UTF-8); 0 when it was read. */
    public int if_(byte[] returnPath)
    {
        job.call("if", "([B)I", PrintJob.bytesArgument(returnPath));
        return job.read(returnPath);
    }

    /** Writes the PDF of one person's return, limited to a category and form id; 0 when written. */
    public int a(int spouse, int category, int formId)
    {
        job.call("a", "(III)I", spouse + " " + category + " " + formId);
        return job.write(spouse, category, formId);
    }

    /** The full path of the PDF written by this job. */
    public String a()
    {
        job.call("a", "()Ljava/lang/String;", "");
        return job.pdfPath();
    }
}
