package vodarevivo.makereport;

import java.util.ArrayList;
import java.util.List;

/**
 * Social insurance numbers on paper: without the full-number flag only the
 * last three digits of any S.I.N. print, whatever form or slip holds it.
 * A field counts as a S.I.N. by its name, and any text that holds one of
 * the family's own numbers is masked too, so a number typed into a note or
 * a free-text box does not print in full either.
 */
final class Sins
{
    private final boolean full;
    private final List<String> known = new ArrayList<>();

    Sins(boolean full, List<String> familyNumbers)
    {
        this.full = full;
        for (String n : familyNumbers) {
            final String digits = digits(n);
            if (digits.length() == 9)
                known.add(digits);
        }
    }

    static boolean isSinField(Layouts.Field f)
    {
        return f != null && f.name.toUpperCase(java.util.Locale.ROOT).endsWith("SIN");
    }

    /** A number as printed: in full with the flag, else "XXXXXX" and its last three digits. */
    String number(String sin)
    {
        return full ? sin : masked(sin);
    }

    /** Any text as printed: the family's numbers in it masked unless the flag is set. */
    String text(String text)
    {
        if (full || text == null)
            return text;
        String out = text;
        for (String n : known) {
            out = out.replace(n, masked(n));
            // Also as typed in groups: "046 454 286" or "046-454-286".
            for (String sep : new String[] {" ", "-"}) {
                final String grouped = n.substring(0, 3) + sep + n.substring(3, 6) + sep + n.substring(6);
                out = out.replace(grouped, "XXX" + sep + "XXX" + sep + n.substring(6));
            }
        }
        return out;
    }

    static String masked(String sin)
    {
        final String s = sin == null ? "" : sin.trim();
        final int keep = Math.min(3, s.length());
        return "X".repeat(s.length() - keep) + s.substring(s.length() - keep);
    }

    /** The text's ASCII digits, in order (a plain loop: no pattern to compile at a run's first print). */
    private static String digits(String s)
    {
        if (s == null)
            return "";
        final StringBuilder out = new StringBuilder(s.length());
        for (int i = 0; i < s.length(); ++i) {
            final char c = s.charAt(i);
            if (c >= '0' && c <= '9')
                out.append(c);
        }
        return out.toString();
    }
}
