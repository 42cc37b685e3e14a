package vodarevivo.makereport;

import java.io.Closeable;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import org.apache.pdfbox.pdmodel.PDDocument;
import org.apache.pdfbox.pdmodel.PDPage;
import org.apache.pdfbox.pdmodel.PDPageContentStream;
import org.apache.pdfbox.pdmodel.common.PDRectangle;
import org.apache.pdfbox.pdmodel.font.PDType0Font;

/**
 * A simple flowing document on letter pages: headings, plain lines and rows
 * of line number, caption and right-aligned value, in DejaVu Sans embedded
 * (so accented names print as typed). Characters the font lacks print as "?".
 */
final class ReportPdf implements Closeable
{
    private static final float MARGIN = 54f;
    private static final float TEXT_SIZE = 9.5f;
    private static final float TITLE_SIZE = 13f;
    private static final float LEADING = 13f;

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
        try (InputStream ttf = ReportPdf.class.getResourceAsStream("/fonts/DejaVuSans.ttf")) {
            if (ttf == null)
                throw new IOException("the engine's font is missing from its archive");
            font = PDType0Font.load(doc, ttf, true);
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

    private String fit(String text, float room) throws IOException
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
