package vodarevivo.makereport;

import java.io.IOException;
import java.nio.file.DirectoryStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import javax.xml.XMLConstants;
import javax.xml.parsers.DocumentBuilder;
import javax.xml.parsers.DocumentBuilderFactory;
import org.w3c.dom.Document;
import org.w3c.dom.Element;
import org.w3c.dom.NodeList;

/**
 * The layout files the program exports for every form and slip class: for
 * each type its title and, field by field, the id, line or box, caption, kind
 * and how the window shows it. Looked up by kind and type number.
 */
final class Layouts
{
    static final class Field
    {
        int id;
        String name;
        String line;
        String caption;
        String kind;     // int, bool, amount, text, date
        String format;   // money, or number with its decimals
        int decimals;
        boolean shown;
        String role;     // line, entry, spouse or no: what the printed form makes of the field
        String section;  // the heading the field stands under
        boolean namesItem; // names the slip's issuer or the form's instance
        int start;                                   // int fields: the value of an empty form
        final Map<Integer, String> choices = new HashMap<>(); // int fields shown as a list
    }

    static final class Layout
    {
        InfoFileItem info;
        final List<Field> fields = new ArrayList<>();

        Field named(String name)
        {
            for (Field f : fields)
                if (f.name.equals(name))
                    return f;
            return null;
        }
    }

    private final Map<String, Layout> byType = new HashMap<>();

    /** Reads every layout file of the folders; the first folder that describes a type wins. */
    static Layouts load(List<Path> folders)
    {
        final Layouts layouts = new Layouts();
        final DocumentBuilder parser = newParser();
        if (parser == null)
            return layouts;
        for (Path folder : folders) {
            if (folder == null || !Files.isDirectory(folder))
                continue;
            try (DirectoryStream<Path> files = Files.newDirectoryStream(folder, "*.xml")) {
                for (Path file : files)
                    layouts.add(parser, file);
            } catch (IOException | RuntimeException e) {
                // An unreadable folder leaves its types without captions.
            }
        }
        return layouts;
    }

    Layout find(int kind, int type)
    {
        return byType.get(kind + ":" + type);
    }

    int size()
    {
        return byType.size();
    }

    private void add(DocumentBuilder parser, Path file)
    {
        final Document doc;
        try {
            doc = parser.parse(file.toFile());
        } catch (Exception e) {
            return; // not a layout file
        }
        final Element root = doc.getDocumentElement();
        if (root == null || !"dataType".equals(root.getTagName()))
            return;
        final int kind = intAttribute(root, "kind", -1);
        final int type = intAttribute(root, "type", -1);
        if (kind < 0 || type < 0 || byType.containsKey(kind + ":" + type))
            return;
        final Layout layout = new Layout();
        layout.info = new InfoFileItem(type, root.getAttribute("code"), root.getAttribute("title"),
                                       file.getFileName().toString());
        final NodeList fields = root.getElementsByTagName("field");
        for (int i = 0; i < fields.getLength(); ++i) {
            final Element e = (Element) fields.item(i);
            final Field f = new Field();
            f.id = intAttribute(e, "id", 0);
            f.name = e.getAttribute("name");
            f.line = e.getAttribute("line");
            f.caption = e.getAttribute("label");
            f.kind = e.getAttribute("kind");
            f.format = e.getAttribute("format");
            f.decimals = intAttribute(e, "decimals", 2);
            f.shown = !"0".equals(e.getAttribute("shown"));
            f.role = e.hasAttribute("print") ? e.getAttribute("print") : (f.shown ? "entry" : "no");
            f.section = e.getAttribute("section");
            f.namesItem = "1".equals(e.getAttribute("caption"));
            f.start = intAttribute(e, "start", 0);
            for (String choice : e.getAttribute("choices").split("\\|")) {
                final int colon = choice.indexOf(':');
                if (colon > 0) {
                    try {
                        f.choices.put(Integer.parseInt(choice.substring(0, colon).trim()), choice.substring(colon + 1));
                    } catch (NumberFormatException ex) {
                        // an entry without a number is no choice
                    }
                }
            }
            layout.fields.add(f);
        }
        byType.put(kind + ":" + type, layout);
    }

    private static int intAttribute(Element e, String name, int fallback)
    {
        try {
            return Integer.parseInt(e.getAttribute(name).trim());
        } catch (NumberFormatException ex) {
            return fallback;
        }
    }

    private static DocumentBuilder newParser()
    {
        try {
            final DocumentBuilderFactory f = DocumentBuilderFactory.newInstance();
            // Layout files are plain data: no external entities, no DTDs.
            f.setFeature(XMLConstants.FEATURE_SECURE_PROCESSING, true);
            f.setFeature("http://apache.org/xml/features/disallow-doctype-decl", true);
            f.setExpandEntityReferences(false);
            return f.newDocumentBuilder();
        } catch (Exception e) {
            return null;
        }
    }
}
