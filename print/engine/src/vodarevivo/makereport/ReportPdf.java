package vodarevivo.makereport;

import java.io.Closeable;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import org.apache.fontbox.ttf.TTFParser;
import org.apache.fontbox.ttf.TrueTypeFont;
import org.apache.pdfbox.pdmodel.PDDocument;
import org.apache.pdfbox.pdmodel.PDPage;
import org.apache.pdfbox.pdmodel.PDPageContentStream;
import org.apache.pdfbox.pdmodel.common.PDRectangle;
import org.apache.pdfbox.pdmodel.font.PDType0Font;

/**
 * A simple flowing document on letter pages: headings, plain lines, wrapped
 * paragraphs and rows of line number, caption and right-aligned value (the
 * number and the amount each in a box, as on the agency's forms), in DejaVu
 * Sans embedded (so accented names print as typed). Characters the font
 * lacks print as "?".
 */
final class ReportPdf implements Closeable
{
    private static final float MARGIN = 54f;
    private static final float TEXT_SIZE = 9.5f;
    private static final float TITLE_SIZE = 13f;
    private static final float LEADING = 13f;
    private static final float HEADING_SIZE = 11f;
    private static final float NUMBER_BOX = 44f;
    private static final float AMOUNT_BOX = 96f;
    static final float WIDTH = PDRectangle.LETTER.getWidth();

    private final PDDocument doc = new PDDocument();
    private final PDType0Font font;
    private final String header;
    private PDPageContentStream page;
    private float y;
    private int pages;

    /** header: a line printed atop every page, or null for none. */
    ReportPdf(String header) throws IOException
    {
        this.header = header;
        font = PDType0Font.load(doc, engineFont(), true);
    }

    /**
     * The engine's font, read and parsed once for the run: every document
     * embeds the subset of it that its own text uses, so the parsed font is
     * shared and never closed.
     */
    private static TrueTypeFont engineFont;

    private static synchronized TrueTypeFont engineFont() throws IOException
    {
        if (engineFont == null) {
            try (InputStream ttf = ReportPdf.class.getResourceAsStream("/fonts/DejaVuSans.ttf")) {
                if (ttf == null)
                    throw new IOException("the engine's font is missing from its archive");
                engineFont = new TTFParser(false, true).parse(ttf);
            }
        }
        return engineFont;
    }

    /**
     * The engine's font parsed and the tables of it that embedding reads
     * read, once a run, without the PDF library's document (so that the two
     * can be made ready side by side). Under the font's lock: a document
     * takes the font once its tables are read.
     */
    static synchronized void prepareFont() throws IOException
    {
        final TrueTypeFont ttf = engineFont();
        ttf.getHeader();
        ttf.getHorizontalHeader();
        ttf.getHorizontalMetrics();
        ttf.getOS2Windows();
        ttf.getPostScript();
        ttf.getNaming();
        ttf.getUnicodeCmapLookup();
    }

    /**
     * Does once what the first document of a run would otherwise do: the
     * font parsed and embedded, the PDF library's document, font, page,
     * compression and writer set up, by a scratch document with a line of
     * text that is written to nowhere.
     */
    static void prepare() throws IOException
    {
        try (ReportPdf scratch = new ReportPdf(null)) {
            scratch.line("0");
            scratch.save(OutputStream.nullOutputStream());
        }
    }

    PDDocument document()
    {
        return doc;
    }

    void newPage() throws IOException
    {
        closePage();
        final PDPage p = new PDPage(PDRectangle.LETTER);
        doc.addPage(p);
        page = new PDPageContentStream(doc, p);
        y = PDRectangle.LETTER.getHeight() - MARGIN;
        ++pages;
        if (header != null) {
            text(MARGIN, y, 8f, header + "    page " + pages);
            y -= LEADING * 1.5f;
        }
    }

    void title(String text) throws IOException
    {
        room(LEADING * 3);
        y -= LEADING * 0.5f;
        text(MARGIN, y, TITLE_SIZE, text);
        y -= LEADING * 1.6f;
    }

    /** A step or part heading: bold rule above, the text in a larger size. */
    void heading(String text) throws IOException
    {
        room(LEADING * 3);
        y -= LEADING * 0.4f;
        page.setLineWidth(1.2f);
        page.moveTo(MARGIN, y + LEADING);
        page.lineTo(WIDTH - MARGIN, y + LEADING);
        page.stroke();
        text(MARGIN, y, HEADING_SIZE, text);
        y -= LEADING * 1.4f;
    }

    /** Running text wrapped to the page's width. */
    void paragraph(String text) throws IOException
    {
        final float room = WIDTH - 2 * MARGIN;
        StringBuilder current = new StringBuilder();
        for (String word : printable(text).split(" ")) {
            final String tried = current.length() == 0 ? word : current + " " + word;
            if (width(tried, TEXT_SIZE) > room && current.length() > 0) {
                line(current.toString());
                current = new StringBuilder(word);
            } else {
                current = new StringBuilder(tried);
            }
        }
        if (current.length() > 0)
            line(current.toString());
    }

    /** A caption and its value, without a line number (names, answers, working figures). */
    void entry(String caption, String value) throws IOException
    {
        room(LEADING);
        final float valueX = MARGIN + 290f;
        text(MARGIN, y, TEXT_SIZE, fit(caption, valueX - MARGIN - 8f));
        text(valueX, y, TEXT_SIZE, fit(value, WIDTH - MARGIN - valueX));
        y -= LEADING;
    }

    /**
     * A form line: caption, its line or box number in a box and its amount
     * right-aligned in a box; a total is ruled above its amount.
     */
    void boxedRow(String number, String caption, String value, boolean total) throws IOException
    {
        room(LEADING * 1.4f);
        final float right = WIDTH - MARGIN;
        final float amountX = right - AMOUNT_BOX;
        final float numberX = amountX - 6f - NUMBER_BOX;
        final float top = y + TEXT_SIZE + 1f;
        final float height = LEADING + 1f;
        page.setLineWidth(0.5f);
        page.addRect(numberX, top - height, NUMBER_BOX, height);
        page.addRect(amountX, top - height, AMOUNT_BOX, height);
        page.stroke();
        if (total) {
            page.setLineWidth(1f);
            page.moveTo(amountX, top + 2f);
            page.lineTo(right, top + 2f);
            page.stroke();
        }
        text(MARGIN, y, TEXT_SIZE, fit(caption, numberX - 8f - MARGIN));
        final String shownNumber = printable(number);
        text(numberX + (NUMBER_BOX - width(shownNumber, TEXT_SIZE)) / 2, y, TEXT_SIZE, shownNumber);
        final String shownValue = fit(value, AMOUNT_BOX - 6f);
        text(right - 3f - width(shownValue, TEXT_SIZE), y, TEXT_SIZE, shownValue);
        y -= LEADING * 1.4f;
    }

    /** Lines to sign or write on, side by side, each with its caption below it: {caption, from, length}. */
    void signatureLines(Object[][] lines) throws IOException
    {
        room(LEADING * 3);
        y -= LEADING * 1.5f;
        page.setLineWidth(0.7f);
        for (Object[] l : lines) {
            final float from = (Float) l[1];
            page.moveTo(MARGIN + from, y);
            page.lineTo(MARGIN + from + (Float) l[2], y);
        }
        page.stroke();
        for (Object[] l : lines)
            text(MARGIN + (Float) l[1], y - LEADING * 0.8f, 8f, (String) l[0]);
        y -= LEADING * 0.2f;
    }

    /** A text placed on a page at a given spot. */
    static final class PlacedText
    {
        final float x;
        final float y;
        final float size;
        final String text;

        PlacedText(float x, float y, float size, String text)
        {
            this.x = x;
            this.y = y;
            this.size = size;
            this.text = text;
        }
    }

    /** Writes the texts over a page already in the document (a filled template's page). */
    void overlay(PDPage target, java.util.List<PlacedText> texts) throws IOException
    {
        if (texts.isEmpty())
            return;
        closePage();
        try (PDPageContentStream over = new PDPageContentStream(doc, target, PDPageContentStream.AppendMode.APPEND,
                                                                 true, true)) {
            for (PlacedText t : texts) {
                final String shown = printable(t.text);
                if (shown.isEmpty())
                    continue;
                over.beginText();
                over.setFont(font, t.size);
                over.newLineAtOffset(t.x, t.y);
                over.showText(shown);
                over.endText();
            }
        }
    }

    /** Whether that many lines still fit on the current page. */
    boolean fits(float lines)
    {
        return page != null && y - LEADING * lines >= MARGIN;
    }

    /** Moves down after signature lines drawn side by side. */
    void skip(float lines) throws IOException
    {
        room(LEADING * lines);
        y -= LEADING * lines;
    }

    /**
     * Black modules as filled rectangles, top left at the current position:
     * modules[row][column] non-zero is black. Moves below the drawing.
     */
    void modules(byte[][] modules, float moduleWidth, float moduleHeight) throws IOException
    {
        final float height = modules.length * moduleHeight;
        room(height + LEADING);
        final float top = y + TEXT_SIZE;
        for (int r = 0; r < modules.length; ++r) {
            final byte[] row = modules[r];
            int c = 0;
            while (c < row.length) {
                if (row[c] == 0) {
                    ++c;
                    continue;
                }
                final int start = c;
                while (c < row.length && row[c] != 0)
                    ++c;
                page.addRect(MARGIN + start * moduleWidth, top - (r + 1) * moduleHeight, (c - start) * moduleWidth,
                             moduleHeight);
            }
        }
        page.fill();
        y -= height + LEADING;
    }

    /** Text at a place of the current page (x, y from the page's bottom left), as a filled template takes it. */
    void textAt(float x, float atY, float size, String text) throws IOException
    {
        if (page == null)
            newPage();
        text(x, atY, size, text);
    }

    void line(String text) throws IOException
    {
        room(LEADING);
        text(MARGIN, y, TEXT_SIZE, text);
        y -= LEADING;
    }

    void row(String number, String caption, String value) throws IOException
    {
        room(LEADING);
        final float right = PDRectangle.LETTER.getWidth() - MARGIN;
        final String shownValue = printable(value);
        final float valueWidth = width(shownValue, TEXT_SIZE);
        text(MARGIN, y, TEXT_SIZE, number);
        final float captionX = MARGIN + 52f;
        text(captionX, y, TEXT_SIZE, fit(caption, right - valueWidth - 12f - captionX));
        text(right - valueWidth, y, TEXT_SIZE, shownValue);
        y -= LEADING;
    }

    void save(OutputStream out) throws IOException
    {
        closePage();
        doc.save(out);
    }

    @Override
    public void close() throws IOException
    {
        try {
            closePage();
        } finally {
            doc.close();
        }
    }

    private void closePage() throws IOException
    {
        if (page != null) {
            page.close();
            page = null;
        }
    }

    private void room(float needed) throws IOException
    {
        if (page == null || y - needed < MARGIN)
            newPage();
    }

    private void text(float x, float atY, float size, String text) throws IOException
    {
        final String shown = printable(text);
        if (shown.isEmpty())
            return;
        page.beginText();
        page.setFont(font, size);
        page.newLineAtOffset(x, atY);
        page.showText(shown);
        page.endText();
    }

    String fit(String text, float room) throws IOException
    {
        String shown = printable(text);
        if (width(shown, TEXT_SIZE) <= room)
            return shown;
        while (!shown.isEmpty() && width(shown + "…", TEXT_SIZE) > room)
            shown = shown.substring(0, shown.offsetByCodePoints(shown.length(), -1));
        return shown + "…";
    }

    private float width(String text, float size) throws IOException
    {
        return font.getStringWidth(text) / 1000f * size;
    }

    /** The text with line breaks as spaces and characters the font has no glyph for as "?". */
    private String printable(String text)
    {
        if (text == null)
            return "";
        final StringBuilder out = new StringBuilder();
        text.codePoints().forEach(cp -> {
            if (Character.isISOControl(cp)) {
                out.append(' ');
                return;
            }
            final String one = new String(Character.toChars(cp));
            try {
                font.encode(one);
                out.append(one);
            } catch (IOException | IllegalArgumentException e) {
                out.append('?');
            }
        });
        return out.toString();
    }
}
