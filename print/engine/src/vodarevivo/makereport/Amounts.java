package vodarevivo.makereport;

import java.math.BigDecimal;
import java.math.RoundingMode;
import java.text.DecimalFormat;
import java.text.DecimalFormatSymbols;
import java.util.Locale;

/** How a printed value reads: amounts to the cent with thousands separators, other numbers to their own decimals. */
final class Amounts
{
    /** Numbers that are not money (rates, shares, counts) print with at most this many decimals. */
    private static final int NUMBER_DECIMALS = 2;

    private Amounts()
    {
    }

    /** The printed text of a field's value, or "" when the field is empty (nothing to print). */
    static String shown(Layouts.Field field, Object value)
    {
        if (value == null)
            return "";
        if (value instanceof Double) {
            final double d = (Double) value;
            if (d == 0.0 || Double.isNaN(d) || Double.isInfinite(d))
                return "";
            final boolean money = field == null || field.format.isEmpty() || "money".equals(field.format);
            return money ? format(d, 2, true) : format(d, Math.min(field.decimals, NUMBER_DECIMALS), false);
        }
        if (value instanceof Integer) {
            final int i = (Integer) value;
            if (field == null)
                return i == 0 ? "" : Integer.toString(i);
            if ("bool".equals(field.kind))
                return i != 0 ? "Yes" : "";
            // A list left at its start value was never answered: it says
            // nothing, whatever the start value's text would read.
            if (i == field.start)
                return "";
            if (!field.choices.isEmpty())
                return field.choices.getOrDefault(i, Integer.toString(i));
            return Integer.toString(i);
        }
        return value.toString().trim();
    }

    /** Half away from zero, as the program rounds; fixed decimals or trailing zeros dropped. */
    static String format(double amount, int decimals, boolean fixed)
    {
        decimals = Math.max(0, Math.min(decimals, 8));
        final BigDecimal rounded = new BigDecimal(Double.toString(amount)).setScale(decimals, RoundingMode.HALF_UP);
        final StringBuilder pattern = new StringBuilder("#,##0");
        if (decimals > 0) {
            pattern.append('.');
            for (int i = 0; i < decimals; ++i)
                pattern.append(fixed ? '0' : '#');
        }
        final DecimalFormat f = new DecimalFormat(pattern.toString(), DecimalFormatSymbols.getInstance(Locale.CANADA));
        f.setRoundingMode(RoundingMode.HALF_UP);
        final String text = f.format(rounded);
        return text.equals("-0.00") || text.equals("-0") ? text.substring(1) : text;
    }
}
