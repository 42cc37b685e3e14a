package vodarevivo.makereport;

import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * The records of a saved return file, as far as printing needs them: each
 * person's forms, slips and notes with their field values by id. Numbers are
 * little-endian, as the program's data stream writes them; every count and
 * length is checked against what is left, so a damaged file gives an error,
 * never a read past its end.
 */
final class ReturnFile
{
    static final int FILE_VERSION = 66098;
    static final int TAX_YEAR = 2024;

    static final int KIND_FORM = 0;
    static final int KIND_SLIP = 1;
    static final int KIND_NOTE = 3;

    /** One form, slip or note: its type, id and values (Double, Integer, String or a date text). */
    static final class Item
    {
        int kind;
        int type;
        int id;
        final Map<Integer, Object> values = new LinkedHashMap<>();
    }

    static final class Person
    {
        int version;
        int year;
        int province;
        final List<Item> items = new ArrayList<>();
    }

    static final class DamagedException extends Exception
    {
        private static final long serialVersionUID = 1L;

        DamagedException(String what)
        {
            super(what);
        }
    }

    final Person taxpayer;
    final Person spouse;

    private ReturnFile(Person taxpayer, Person spouse)
    {
        this.taxpayer = taxpayer;
        this.spouse = spouse;
    }

    /** True when the file starts with this program's version and tax year. */
    static boolean hasCurrentHeader(byte[] bytes)
    {
        if (bytes.length < 8)
            return false;
        final ByteBuffer b = ByteBuffer.wrap(bytes).order(ByteOrder.LITTLE_ENDIAN);
        return b.getInt(0) == FILE_VERSION && b.getInt(4) == TAX_YEAR;
    }

    static ReturnFile parse(byte[] bytes) throws DamagedException
    {
        final ByteBuffer b = ByteBuffer.wrap(bytes).order(ByteOrder.LITTLE_ENDIAN);
        try {
            final Person taxpayer = readPerson(b);
            // A single return still has a spouse record; a family whose
            // taxpayer has no province ends after the taxpayer.
            final Person spouse = taxpayer.province != 0 && b.hasRemaining() ? readPerson(b) : null;
            return new ReturnFile(taxpayer, spouse);
        } catch (java.nio.BufferUnderflowException | IllegalArgumentException e) {
            throw new DamagedException("the file ends inside a record");
        }
    }

    private static Person readPerson(ByteBuffer b) throws DamagedException
    {
        final Person p = new Person();
        p.version = b.getInt();
        p.year = b.getInt();
        if ((p.version & 0xFFFF0000) != 0x10000 || p.version > FILE_VERSION)
            throw new DamagedException("unknown file version " + p.version);
        if (p.version > 65988)
            b.getInt();
        if (p.version > 65865)
            b.getInt();
        skip(b, length(b)); // reserved area: password and marker, not printed
        b.getInt();         // next id
        p.province = b.getInt();
        final int forms = count(b);
        for (int i = 0; i < forms; ++i) {
            final Item item = new Item();
            item.kind = KIND_FORM;
            item.type = b.getInt();
            if (p.version > 65855) {
                item.id = b.getInt();
                b.getInt(); // shared id
            }
            readObject(b, item);
            p.items.add(item);
        }
        final int slips = count(b);
        for (int i = 0; i < slips; ++i) {
            final Item item = new Item();
            item.kind = KIND_SLIP;
            item.type = b.getInt();
            item.id = b.getInt();
            if (p.version > 65856)
                b.getInt();
            readObject(b, item);
            p.items.add(item);
        }
        if (p.version >= 65716) {
            final int notes = count(b);
            for (int i = 0; i < notes; ++i) {
                final Item item = new Item();
                item.kind = KIND_NOTE;
                b.getInt();
                item.id = b.getInt();
                readObject(b, item);
                p.items.add(item);
            }
        }
        if (p.version > 65776) {
            skip(b, 8);
            skipBarcode(b);
            skip(b, 8);
        }
        return p;
    }

    private static void skipBarcode(ByteBuffer b) throws DamagedException
    {
        final int archive = b.getInt();
        if (archive < 1)
            return;
        skip(b, archive);
        final int statements = b.getInt();
        for (int i = 0; i < statements; ++i)
            skip(b, length(b));
    }

    /** An object's payload: format, data version, then id, kind, size and value entries. */
    private static void readObject(ByteBuffer b, Item item) throws DamagedException
    {
        final int length = length(b);
        final ByteBuffer p = b.slice().order(ByteOrder.LITTLE_ENDIAN);
        p.limit(length);
        skip(b, length);
        if (length < 4)
            throw new DamagedException("object too short");
        p.getShort(); // format
        p.getShort(); // the class's data version
        while (p.hasRemaining()) {
            final int id = Short.toUnsignedInt(p.getShort());
            final int kind = Byte.toUnsignedInt(p.get());
            final int size = p.getInt();
            if (size < 0 || size > p.remaining())
                throw new DamagedException("field entry past its object");
            final ByteBuffer v = p.slice().order(ByteOrder.LITTLE_ENDIAN);
            v.limit(size);
            p.position(p.position() + size);
            if (id == 0)
                continue; // the class's extra block
            final Object value = value(kind, size, v);
            if (value != null)
                item.values.put(id, value);
        }
    }

    private static Object value(int kind, int size, ByteBuffer v)
    {
        switch (kind) {
        case 1: // int
        case 2: // yes/no
            return size == 4 ? Integer.valueOf(v.getInt()) : null;
        case 3: // amount or other number
            return size == 8 ? Double.valueOf(v.getDouble()) : null;
        case 4: { // text
            final byte[] utf8 = new byte[size];
            v.get(utf8);
            return new String(utf8, StandardCharsets.UTF_8);
        }
        case 5: { // date as a Julian day
            if (size != 8)
                return null;
            final long julianDay = v.getLong();
            if (julianDay == Long.MIN_VALUE || julianDay < 2299161L || julianDay > 5373484L)
                return null;
            return java.time.LocalDate.ofEpochDay(julianDay - 2440588L).toString();
        }
        default:
            return null;
        }
    }

    private static int length(ByteBuffer b) throws DamagedException
    {
        final int n = b.getInt();
        if (n < 0 || n > b.remaining())
            throw new DamagedException("length past the end of the file");
        return n;
    }

    private static int count(ByteBuffer b) throws DamagedException
    {
        final int n = b.getInt();
        // Every item takes at least a dozen bytes: a count beyond that cannot be real.
        if (n < 0 || n > b.remaining() / 12)
            throw new DamagedException("item count past the end of the file");
        return n;
    }

    private static void skip(ByteBuffer b, int n) throws DamagedException
    {
        if (n < 0 || n > b.remaining())
            throw new DamagedException("block past the end of the file");
        b.position(b.position() + n);
    }
}
