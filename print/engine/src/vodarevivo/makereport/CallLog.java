package vodarevivo.makereport;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.util.ArrayList;
import java.util.List;

/**
 * Every call a job receives, in order, with its arguments; optionally copied
 * line by line to a trace file. A trace that cannot be written is dropped
 * silently: it is a test aid and never fails a job.
 */
final class CallLog
{
    /** The order the bridge calls in before the write step; optional steps may be absent. */
    private static final String[][] EXPECTED = {
        {"if(Ljava/lang/String;)V", ""},
        {"a(Ljava/lang/String;)V", ""},
        {"a([B)V", ""},
        {"if(I)V", ""},
        {"do()V", ""},
        {"int()V", ""},
        {"new()V", "optional"},
        {"for()V", ""},
        {"a(I)V", "optional"},
        {"if([B)I", ""},
        {"a(III)I", ""},
    };

    private final int jobNumber;
    private final List<String> methods = new ArrayList<>();
    private final List<String> lines = new ArrayList<>();
    private Path traceFile;

    CallLog(int jobNumber)
    {
        this.jobNumber = jobNumber;
    }

    void record(String name, String descriptor, String arguments)
    {
        final String method = name + descriptor;
        methods.add(method);
        final String line = "job " + jobNumber + " " + method + (arguments.isEmpty() ? "" : " " + arguments);
        lines.add(line);
        append(List.of(line));
    }

    /** Starts copying to the trace file, beginning with the calls already received. */
    void traceTo(Path file)
    {
        traceFile = file;
        append(lines);
    }

    /**
     * True when the calls so far, the write step last, follow the bridge's
     * order. The constructor and the path getter are not steps.
     */
    boolean inBridgeOrder()
    {
        final List<String> steps = new ArrayList<>();
        for (String m : methods)
            if (!m.equals("<init>()V") && !m.equals("a()Ljava/lang/String;"))
                steps.add(m);
        int at = 0;
        for (String[] expected : EXPECTED) {
            if (at < steps.size() && steps.get(at).equals(expected[0]))
                ++at;
            else if (expected[1].isEmpty())
                return false;
        }
        return at == steps.size();
    }

    private void append(List<String> newLines)
    {
        if (traceFile == null || newLines.isEmpty())
            return;
        try {
            Files.write(traceFile, newLines, StandardCharsets.UTF_8, StandardOpenOption.CREATE,
                        StandardOpenOption.APPEND, StandardOpenOption.WRITE);
        } catch (IOException | RuntimeException e) {
            // A trace is a test aid: losing it must not change the job.
        }
    }
}
