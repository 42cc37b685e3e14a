package vodarevivo.makereport;

import java.util.ArrayList;
import java.util.List;

/**
 * What the printed return says about a person, read from the person's T1
 * through the T1's layout: name, S.I.N., date of birth, marital status,
 * address and province. A person without a T1 has empty facts.
 */
final class PersonInfo
{
    static final int T1 = 1;
    private static final int MARRIED = 0;
    private static final int COMMON_LAW = 1;

    final ReturnFile.Person person;
    final ReturnFile.Item t1;
    final Layouts.Layout layout;

    PersonInfo(ReturnFile.Person person, Layouts layouts)
    {
        this.person = person;
        this.layout = layouts.find(ReturnFile.KIND_FORM, T1);
        this.t1 = person == null ? null : firstT1(person);
    }

    static ReturnFile.Item firstT1(ReturnFile.Person person)
    {
        for (ReturnFile.Item item : person.items)
            if (item.kind == ReturnFile.KIND_FORM && item.type == T1)
                return item;
        return null;
    }

    boolean hasT1()
    {
        return t1 != null && layout != null;
    }

    /** The stored value of a T1 field by name, or null. */
    Object value(String name)
    {
        if (!hasT1())
            return null;
        final Layouts.Field f = layout.named(name);
        return f == null ? null : t1.values.get(f.id);
    }

    String text(String name)
    {
        final Object v = value(name);
        return v == null ? "" : v.toString().trim();
    }

    /** A list field's text (marital status, province), whatever its value, or "". */
    String choice(String name)
    {
        final Object v = value(name);
        final Layouts.Field f = hasT1() ? layout.named(name) : null;
        if (!(v instanceof Integer) || f == null)
            return "";
        return f.choices.getOrDefault((Integer) v, "");
    }

    String name()
    {
        return (text("FirstName") + " " + text("LastName")).trim();
    }

    String sin()
    {
        return text("SIN");
    }

    /** Married or living common-law on December 31: the return has spouse information. */
    boolean hasSpouse()
    {
        final Object v = value("MaritalStatus");
        return v instanceof Integer && ((Integer) v == MARRIED || (Integer) v == COMMON_LAW);
    }

    /** The mailing address as it goes on an envelope, one line per entry, empty lines left out. */
    List<String> addressLines()
    {
        final List<String> lines = new ArrayList<>();
        for (String part : new String[] {text("CareOfLine").isEmpty() ? "" : "c/o " + text("CareOfLine"),
                                         join(" ", text("AddressLine2"), text("AddressLine1")), text("RuralRoute")})
            if (!part.isEmpty())
                lines.add(part);
        final String province = choice("MailingProvince");
        final String cityLine = join("  ", join(" ", text("City"), "None".equals(province) ? "" : province),
                                     text("PostalCode"));
        if (!cityLine.isEmpty())
            lines.add(cityLine);
        final String abroad = join(" ", text("State"), text("Country"));
        if (!abroad.isEmpty())
            lines.add(abroad);
        return lines;
    }

    static String join(String separator, String... parts)
    {
        final StringBuilder out = new StringBuilder();
        for (String p : parts) {
            if (p == null || p.isEmpty())
                continue;
            if (out.length() > 0)
                out.append(separator);
            out.append(p);
        }
        return out.toString();
    }
}
