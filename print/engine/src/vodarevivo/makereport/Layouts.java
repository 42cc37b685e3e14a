package vodarevivo.makereport;

import java.io.FileInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.nio.file.DirectoryStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.attribute.BasicFileAttributes;
import java.nio.file.attribute.FileTime;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.HashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;
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

    /**
     * What the run knows of one layout folder: its files in the order the
     * folder lists them, each with the kind and type its root element names
     * (read from the head of the file only). Listed again when the folder's
     * modification time moves, as it does when a file is added, removed or
     * replaced by a rename; a file rewritten in place is read in full again
     * when its size or time moved, under the type it was listed with.
     */
    private static final class FolderIndex
    {
        final FileTime listed;
        final List<Path> files = new ArrayList<>();
        // Parallel to files: the "kind:type" its head names, or null when its
        // head is not plainly a layout's (such a file is read in full for
        // any type asked, where it stands in the folder's order).
        final List<String> heads = new ArrayList<>();
        final Set<String> named = new HashSet<>();
        boolean anyUnread;

        FolderIndex(FileTime listed)
        {
            this.listed = listed;
        }
    }

    /** A layout file read in full, with the size and time it had then. */
    private static final class ParsedFile
    {
        final long size;
        final FileTime modified;
        final String key; // null: not a layout file
        final Layout layout;

        ParsedFile(long size, FileTime modified, String key, Layout layout)
        {
            this.size = size;
            this.modified = modified;
            this.key = key;
            this.layout = layout;
        }
    }

    // The layout files are the program's own export and are read by every
    // job of the run: a folder is listed once and a file parsed once, not
    // every file of every folder for every job.
    private static final Map<Path, FolderIndex> folderIndexes = new HashMap<>();
    private static final Map<Path, ParsedFile> parsedFiles = new HashMap<>();
    // Made once a run under a lock of its own, so that it can be made while
    // a folder is listed; it reads one document at a time, under the class's
    // lock like the maps above.
    private static final Object parserLock = new Object();
    private static DocumentBuilder fullParser;

    private final List<FolderIndex> folders = new ArrayList<>();
    private final Map<String, Layout> byType = new HashMap<>();

    /** The layouts of the folders, looked up by type; the first folder that describes a type wins. */
    static Layouts load(List<Path> folders)
    {
        final Layouts layouts = new Layouts();
        synchronized (Layouts.class) {
            for (Path folder : folders) {
                final FolderIndex index = indexOf(folder);
                if (index != null)
                    layouts.folders.add(index);
            }
        }
        return layouts;
    }

    Layout find(int kind, int type)
    {
        final String key = kind + ":" + type;
        if (byType.containsKey(key))
            return byType.get(key);
        Layout found = null;
        synchronized (Layouts.class) {
            for (FolderIndex folder : folders) {
                found = findIn(folder, key);
                if (found != null)
                    break;
            }
        }
        byType.put(key, found);
        return found;
    }

    /**
     * The first file of the folder, in its listing order, that reads in full
     * as the layout of key: a file whose head names the key or could not be
     * read, so that a file is taken exactly when reading every file of the
     * folder in that order would have taken it.
     */
    private static Layout findIn(FolderIndex folder, String key)
    {
        if (!folder.named.contains(key) && !folder.anyUnread)
            return null;
        for (int i = 0; i < folder.files.size(); ++i) {
            final String head = folder.heads.get(i);
            if (head != null && !head.equals(key))
                continue;
            final ParsedFile parsed = parsed(folder.files.get(i));
            if (parsed != null && key.equals(parsed.key))
                return parsed.layout;
        }
        return null;
    }

    private static FolderIndex indexOf(Path folder)
    {
        if (folder == null)
            return null;
        final FileTime modified;
        try {
            if (!Files.isDirectory(folder))
                return null;
            modified = Files.getLastModifiedTime(folder);
        } catch (IOException | RuntimeException e) {
            return null;
        }
        final FolderIndex known = folderIndexes.get(folder);
        if (known != null && known.listed.equals(modified))
            return known;
        final FolderIndex index = new FolderIndex(modified);
        try (DirectoryStream<Path> files = Files.newDirectoryStream(folder, "*.xml")) {
            for (Path file : files) {
                final String head = headKey(file);
                index.files.add(file);
                index.heads.add(head);
                if (head == null)
                    index.anyUnread = true;
                else
                    index.named.add(head);
            }
        } catch (IOException | RuntimeException e) {
            // An unreadable folder leaves its types without captions.
        }
        folderIndexes.put(folder, index);
        return index;
    }

    /** The file read in full, again only when its size or time changed since. */
    private static ParsedFile parsed(Path file)
    {
        final long size;
        final FileTime modified;
        try {
            final BasicFileAttributes attributes = Files.readAttributes(file, BasicFileAttributes.class);
            size = attributes.size();
            modified = attributes.lastModifiedTime();
        } catch (IOException | RuntimeException e) {
            return null;
        }
        final ParsedFile known = parsedFiles.get(file);
        if (known != null && known.size == size && known.modified.equals(modified))
            return known;
        final DocumentBuilder parser = parser();
        if (parser == null)
            return null;
        final ParsedFile read = parse(parser, file, size, modified);
        parsedFiles.put(file, read);
        return read;
    }

    /**
     * The kind and type the root element of the file names, "kind:type",
     * read from the head of the file only; null when the head is not plainly
     * a layout's: an ASCII-compatible text whose root element "dataType"
     * comes first, after at most a byte order mark, the XML declaration and
     * white space, with plain attribute values (no references). It only
     * chooses which files are read in full for a type: the full reading
     * decides, and a file whose head is not plain is read in full for any
     * type asked.
     */
    static String headKey(Path file)
    {
        final byte[] head = new byte[HEAD_BYTES];
        int length = 0;
        // A plain file stream: a folder's every file is opened once a run, and
        // the channel a path's own stream opens costs several times more.
        try (InputStream in = new FileInputStream(file.toFile())) {
            for (int n; length < head.length && (n = in.read(head, length, head.length - length)) > 0;)
                length += n;
        } catch (IOException | RuntimeException e) {
            return null;
        }
        final HeadScanner scan = new HeadScanner(head, length);
        scan.skip("\u00ef\u00bb\u00bf"); // the UTF-8 byte order mark
        if (scan.skip("<?xml")) {
            final int end = scan.indexOf("?>");
            if (end < 0)
                return null;
            final String encoding = declaredEncoding(scan.text(scan.at, end));
            if (encoding != null && !encoding.equalsIgnoreCase("UTF-8") && !encoding.equalsIgnoreCase("US-ASCII"))
                return null;
            scan.at = end + 2;
        }
        scan.skipSpace();
        if (!scan.skip("<dataType") || !scan.space())
            return null;
        String kind = null;
        String type = null;
        for (;;) {
            scan.skipSpace();
            if (scan.skip(">") || scan.skip("/>"))
                break;
            final String name = scan.name();
            if (name == null)
                return null;
            scan.skipSpace();
            if (!scan.skip("="))
                return null;
            scan.skipSpace();
            final String value = scan.quoted();
            if (value == null)
                return null;
            if (name.equals("kind") || name.equals("type")) {
                if ((name.equals("kind") ? kind : type) != null)
                    return null; // named twice: not well-formed
                if (name.equals("kind"))
                    kind = value;
                else
                    type = value;
            }
        }
        final int kindNumber = intValue(kind);
        final int typeNumber = intValue(type);
        return kindNumber < 0 || typeNumber < 0 ? null : kindNumber + ":" + typeNumber;
    }

    /** The encoding an XML declaration's text names, "" when it cannot be read, null when it names none. */
    private static String declaredEncoding(String declaration)
    {
        final int at = declaration.indexOf("encoding");
        if (at < 0)
            return null;
        int i = at + "encoding".length();
        while (i < declaration.length() && declaration.charAt(i) <= ' ')
            ++i;
        if (i >= declaration.length() || declaration.charAt(i) != '=')
            return "";
        ++i;
        while (i < declaration.length() && declaration.charAt(i) <= ' ')
            ++i;
        if (i >= declaration.length() || declaration.charAt(i) != '"' && declaration.charAt(i) != '\'')
            return "";
        final int close = declaration.indexOf(declaration.charAt(i), i + 1);
        return close < 0 ? "" : declaration.substring(i + 1, close);
    }

    // A layout's root element stands on its second line.
    private static final int HEAD_BYTES = 2048;

    /** A cursor over the head's bytes, taken one character a byte. */
    private static final class HeadScanner
    {
        final byte[] bytes;
        final int length;
        int at;

        HeadScanner(byte[] bytes, int length)
        {
            this.bytes = bytes;
            this.length = length;
        }

        char charAt(int i)
        {
            return (char) (bytes[i] & 0xff);
        }

        boolean skip(String text)
        {
            if (at + text.length() > length)
                return false;
            for (int i = 0; i < text.length(); ++i)
                if (charAt(at + i) != text.charAt(i))
                    return false;
            at += text.length();
            return true;
        }

        boolean space()
        {
            return at < length && isSpace(charAt(at));
        }

        void skipSpace()
        {
            while (space())
                ++at;
        }

        int indexOf(String text)
        {
            for (int i = at; i + text.length() <= length; ++i) {
                boolean match = true;
                for (int j = 0; j < text.length() && match; ++j)
                    match = charAt(i + j) == text.charAt(j);
                if (match)
                    return i;
            }
            return -1;
        }

        String text(int from, int to)
        {
            return new String(bytes, from, to - from, java.nio.charset.StandardCharsets.ISO_8859_1);
        }

        /** An attribute name of ASCII letters, digits, "_", "-", "." and ":"; null for anything else. */
        String name()
        {
            final int from = at;
            while (at < length) {
                final char c = charAt(at);
                if (!(c >= 'a' && c <= 'z' || c >= 'A' && c <= 'Z' || c >= '0' && c <= '9' || c == '_' || c == '-'
                      || c == '.' || c == ':'))
                    break;
                ++at;
            }
            return at > from ? text(from, at) : null;
        }

        /** A quoted value without references or markup; null for anything else. */
        String quoted()
        {
            if (at >= length)
                return null;
            final char quote = charAt(at);
            if (quote != '"' && quote != '\'')
                return null;
            final int from = ++at;
            while (at < length && charAt(at) != quote) {
                final char c = charAt(at);
                if (c == '&' || c == '<')
                    return null;
                ++at;
            }
            if (at >= length)
                return null;
            return text(from, at++);
        }

        private static boolean isSpace(char c)
        {
            return c == ' ' || c == '\t' || c == '\n' || c == '\r';
        }
    }

    private static int intValue(String text)
    {
        if (text == null)
            return -1;
        try {
            return Integer.parseInt(text.trim());
        } catch (NumberFormatException ex) {
            return -1;
        }
    }

    private static ParsedFile parse(DocumentBuilder parser, Path file, long size, FileTime modified)
    {
        final ParsedFile notALayout = new ParsedFile(size, modified, null, null);
        final Document doc;
        try {
            doc = parser.parse(file.toFile());
        } catch (Exception e) {
            return notALayout;
        }
        final Element root = doc.getDocumentElement();
        if (root == null || !"dataType".equals(root.getTagName()))
            return notALayout;
        final int kind = intAttribute(root, "kind", -1);
        final int type = intAttribute(root, "type", -1);
        if (kind < 0 || type < 0)
            return notALayout;
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
        return new ParsedFile(size, modified, kind + ":" + type, layout);
    }

    private static int intAttribute(Element e, String name, int fallback)
    {
        try {
            return Integer.parseInt(e.getAttribute(name).trim());
        } catch (NumberFormatException ex) {
            return fallback;
        }
    }

    /** The parser every layout is read with, made at its first use; null when none can be made. */
    static DocumentBuilder parser()
    {
        synchronized (parserLock) {
            if (fullParser == null)
                fullParser = newParser();
            return fullParser;
        }
    }

    private static DocumentBuilder newParser()
    {
        try {
            // The JDK's own parser, named: the lookup of a configured one
            // (system property, configuration file, service providers)
            // finds none in the engine's VM, and cost the first print its time.
            final DocumentBuilderFactory f = DocumentBuilderFactory.newDefaultInstance();
            // Layout files are plain data: no external entities, no DTDs.
            f.setFeature(XMLConstants.FEATURE_SECURE_PROCESSING, true);
            f.setFeature("http://apache.org/xml/features/disallow-doctype-decl", true);
            f.setExpandEntityReferences(false);
            // Every node of a layout is read once, straight away: building them
            // as the document is parsed costs less than the deferred nodes'
            // expansion on first touch.
            f.setFeature("http://apache.org/xml/features/dom/defer-node-expansion", false);
            return f.newDocumentBuilder();
        } catch (Exception e) {
            return null;
        }
    }
}
