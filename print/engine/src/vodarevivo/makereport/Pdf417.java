package vodarevivo.makereport;

import com.google.zxing.WriterException;
import com.google.zxing.pdf417.encoder.Compaction;
import com.google.zxing.pdf417.encoder.PDF417;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;

/**
 * PDF417 symbols of the barcode archive's records. A record is text of
 * single-byte characters; it is encoded byte for byte (ISO 8859-1, so no
 * character-set marker goes into the symbol). A record longer than one
 * symbol holds is split, in order, over several.
 */
final class Pdf417
{
    /** Bytes per symbol: with error correction level 3 this stays within a symbol's capacity in every compaction. */
    static final int MAX_BYTES = 800;
    private static final int ERROR_CORRECTION = 3;
    private static final int MAX_COLUMNS = 12;
    private static final int MAX_ROWS = 90;
    /** Each row three modules high at least; four as the usual writers make it. */
    static final int ROW_HEIGHT = 4;

    private Pdf417()
    {
    }

    /** The record's parts, each at most MAX_BYTES long, in order. */
    static List<byte[]> parts(byte[] record)
    {
        final List<byte[]> parts = new ArrayList<>();
        for (int at = 0; at < record.length; at += MAX_BYTES)
            parts.add(Arrays.copyOfRange(record, at, Math.min(record.length, at + MAX_BYTES)));
        if (parts.isEmpty())
            parts.add(new byte[0]);
        return parts;
    }

    /** The symbol's modules, top row first; non-zero is black. */
    static byte[][] modules(byte[] data) throws WriterException
    {
        final PDF417 encoder = new PDF417(false);
        encoder.setEncoding(StandardCharsets.ISO_8859_1);
        encoder.setCompaction(Compaction.AUTO);
        encoder.setDimensions(MAX_COLUMNS, 2, MAX_ROWS, 3);
        encoder.generateBarcodeLogic(new String(data, StandardCharsets.ISO_8859_1), ERROR_CORRECTION);
        return encoder.getBarcodeMatrix().getScaledMatrix(1, ROW_HEIGHT);
    }
}
