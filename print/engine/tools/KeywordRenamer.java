import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import java.util.Map;
import java.util.stream.Collectors;
import java.util.stream.Stream;
import org.objectweb.asm.ClassReader;
import org.objectweb.asm.ClassWriter;
import org.objectweb.asm.commons.ClassRemapper;
import org.objectweb.asm.commons.Remapper;

/**
 * Gives the engine's methods the names the bridge calls them by, which Java
 * source cannot declare: a method named "if_", "do_", "int_", "new_" or
 * "for_" loses its underscore, in declarations and calls alike. Usage:
 * KeywordRenamer CLASS_FOLDER (rewritten in place). Fails when a placeholder
 * name is still in a class file afterwards.
 */
public class KeywordRenamer
{
    static final Map<String, String> NAMES = Map.of("if_", "if", "do_", "do", "int_", "int", "new_", "new", "for_", "for");

    public static void main(String[] args) throws Exception
    {
        final List<Path> classes;
        try (Stream<Path> files = Files.walk(Path.of(args[0]))) {
            classes = files.filter(p -> p.toString().endsWith(".class")).collect(Collectors.toList());
        }
        final Remapper keywords = new Remapper() {
            @Override
            public String mapMethodName(String owner, String name, String descriptor)
            {
                return NAMES.getOrDefault(name, name);
            }
        };
        for (Path file : classes) {
            final ClassWriter out = new ClassWriter(0);
            new ClassReader(Files.readAllBytes(file)).accept(new ClassRemapper(out, keywords), 0);
            final byte[] renamed = out.toByteArray();
            // Every method name, declared or called, is a UTF-8 constant of the class.
            final ClassReader check = new ClassReader(renamed);
            for (int i = 1; i < check.getItemCount(); ++i) {
                final int at = check.getItem(i); // after the tag byte; 1 tags a UTF-8 constant
                if (at > 0 && renamed[at - 1] == 1) {
                    final String text = new String(renamed, at + 2, check.readUnsignedShort(at), StandardCharsets.UTF_8);
                    if (NAMES.containsKey(text))
                        throw new IllegalStateException(file + ": the placeholder " + text + " remains");
                }
            }
            Files.write(file, renamed);
        }
    }
}
