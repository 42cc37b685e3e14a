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
 * person's forms, slips and notes with their field values by id, and the
 * family's dependants. Numbers are
 * little-endian, as the program's data stream writes them; every count and
 * length is checked against what is left, so a damaged file gives an error,
 * never a read past its end.
 */
final class ReturnFile
{
    // The format's numbers are the program's own, exported into ReturnFileFormat.
    static final int FILE_VERSION = ReturnFileFormat.FILE_VERSION;
    static final int TAX_YEAR = ReturnFileFormat.TAX_YEAR;

    static final int KIND_FORM = ReturnFileFormat.KIND_FORM;
    static final int KIND_SLIP = ReturnFileFormat.KIND_SLIP;
    static final int KIND_NOTE = ReturnFileFormat.KIND_NOTE;

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
        /** The barcode archive's records: the T1 block, then the statement blocks; empty when not eligible. */
        final List<byte[]> barcodeRecords = new ArrayList<>();
    }

    /** One entry of the family's dependant table. */
    static final class Dependant
    {
        private static final String[] RELATIONSHIPS = {"", "Son or daughter", "Grandchild", "Parent or grandparent",
                                                       "Brother or sister", "Niece, nephew, aunt or uncle", "Other"};

        String firstName = "";
        String lastName = "";
        int relationship;
        String birthDate; // ISO date, or null when none was entered
        String sin = "";  // only to mask it wherever it was typed

        /** The entry names someone: a name, a relationship or a date of birth. */
        boolean isUsed()
        {
            return !firstName.isBlank() || !lastName.isBlank() || relationship != 0 || birthDate != null;
        }

        /** "Cleo Lee (Son or daughter, born 2019-05-01)", with what the entry holds. */
        String describe()
        {
            final String name = (firstName.trim() + " " + lastName.trim()).trim();
            final List<String> facts = new ArrayList<>();
            if (relationship > 0 && relationship < RELATIONSHIPS.length)
                facts.add(RELATIONSHIPS[relationship]);
            if (birthDate != null)
                facts.add("born " + birthDate);
            if (facts.isEmpty())
                return name;
            final String details = String.join(", ", facts);
            return name.isEmpty() ? details : name + " (" + details + ")";
        }
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
    final List<Dependant> dependants;

    private ReturnFile(Person taxpayer, Person spouse, List<Dependant> dependants)
    {
        this.taxpayer = taxpayer;
        this.spouse = spouse;
        this.dependants = dependants;
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
            // The family's dependant table follows the spouse's record.
            final List<Dependant> dependants = spouse != null ? readDependants(b) : new ArrayList<>();
            return new ReturnFile(taxpayer, spouse, dependants);
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
        if (p.version > ReturnFileFormat.VERSION_RESERVED_WORD)
            b.getInt();
        if (p.version > ReturnFileFormat.VERSION_MARKER_WORD)
            b.getInt();
        skip(b, length(b)); // reserved area: password and marker, not printed
        b.getInt();         // next id
        p.province = b.getInt();
        final int forms = count(b);
        for (int i = 0; i < forms; ++i) {
            final Item item = new Item();
            item.kind = KIND_FORM;
            item.type = b.getInt();
            if (p.version > ReturnFileFormat.VERSION_FORM_IDS) {
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
            if (p.version > ReturnFileFormat.VERSION_SLIP_SHARED_IDS)
                b.getInt();
            readObject(b, item);
            p.items.add(item);
        }
        if (p.version >= ReturnFileFormat.VERSION_NOTES) {
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
        if (p.version > ReturnFileFormat.VERSION_MARKER_RUNS) {
            skip(b, 8);
            readBarcode(b, p.barcodeRecords);
            skip(b, 8);
        }
        return p;
    }

    /**
     * The dependant table, one block: its length, then the format, the count
     * and the entries (first and last name, relationship, date of birth as a
     * Julian day, net income, infirmity, S.I.N., note and count). Only the
     * names, relationship and date are printed. A table that cannot be read
     * prints nothing: the forms do not need it.
     */
    private static List<Dependant> readDependants(ByteBuffer b)
    {
        final List<Dependant> entries = new ArrayList<>();
        try {
            final int length = length(b);
            final ByteBuffer p = b.slice().order(ByteOrder.LITTLE_ENDIAN);
            p.limit(length);
            skip(b, length);
            final int format = p.getInt();
            final int count = p.getInt();
            if (format < 1 || count < 0 || count > 64)
                return new ArrayList<>();
            for (int i = 0; i < count; ++i) {
                final Dependant d = new Dependant();
                d.firstName = text(p);
                d.lastName = text(p);
                d.relationship = p.getInt();
                d.birthDate = dateOfJulianDay(p.getLong());
                p.getDouble(); // net income
                p.getInt();    // infirmity
                d.sin = text(p);
                text(p);       // note
                p.getDouble(); // count
                entries.add(d);
            }
        } catch (DamagedException | java.nio.BufferUnderflowException | IllegalArgumentException e) {
            return new ArrayList<>();
        }
        return entries;
    }

    private static String text(ByteBuffer b) throws DamagedException
    {
        final byte[] utf8 = new byte[length(b)];
        b.get(utf8);
        return new String(utf8, StandardCharsets.UTF_8);
    }

    /** The ISO date of a Julian day, or null for none or one out of range. */
    private static String dateOfJulianDay(long julianDay)
    {
        if (julianDay == Long.MIN_VALUE || julianDay < 2299161L || julianDay > 5373484L)
            return null;
        return java.time.LocalDate.ofEpochDay(julianDay - 2440588L).toString();
    }

    /** The archive: the T1 block's length and bytes, the statement count and each statement's length and bytes. */
    private static void readBarcode(ByteBuffer b, List<byte[]> records) throws DamagedException
    {
        final int archive = b.getInt();
        if (archive < 1)
            return;
        records.add(bytes(b, archive));
        final int statements = b.getInt();
        if (statements < 0 || statements > 2)
            throw new DamagedException("statement count out of range");
        for (int i = 0; i < statements; ++i)
            records.add(bytes(b, length(b)));
    }

    private static byte[] bytes(ByteBuffer b, int n) throws DamagedException
    {
        if (n < 0 || n > b.remaining())
            throw new DamagedException("block past the end of the file");
        final byte[] out = new byte[n];
        b.get(out);
        return out;
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
            return dateOfJulianDay(v.getLong());
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
