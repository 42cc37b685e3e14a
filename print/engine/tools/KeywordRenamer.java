import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import java.util.Map;
import java.util.stream.Collectors;
import java.util.stream.Stream;
import org.objectweb.asm.ClassReader;
import org.objectweb.asm.ClassVisitor;
import org.objectweb.asm.ClassWriter;
import org.objectweb.asm.MethodVisitor;
import org.objectweb.asm.Opcodes;
import org.objectweb.asm.commons.ClassRemapper;
import org.objectweb.asm.commons.Remapper;

/**
 * Gives the engine's methods the names the bridge calls them by, which Java
 * source cannot declare: every method named "if_", "do_", "int_", "new_" or
 * "for_" loses its underscore, in declarations and calls alike. Usage:
 * KeywordRenamer CLASS_FOLDER (rewritten in place). Fails when a placeholder
 * is still there afterwards.
 */
public class KeywordRenamer
{
    static final Map<String, String> NAMES = Map.of("if_", "if", "do_", "do", "int_", "int", "new_", "new", "for_", "for");

    public static void main(String[] args) throws IOException
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
            final String[] left = {null};
            new ClassReader(renamed).accept(new ClassVisitor(Opcodes.ASM9) {
                @Override
                public MethodVisitor visitMethod(int access, String name, String desc, String sig, String[] ex)
                {
                    if (NAMES.containsKey(name))
                        left[0] = name;
                    return new MethodVisitor(Opcodes.ASM9) {
                        @Override
                        public void visitMethodInsn(int op, String owner, String called, String d, boolean itf)
                        {
                            if (NAMES.containsKey(called))
                                left[0] = called;
                        }
                    };
                }
            }, 0);
            if (left[0] != null) {
                System.err.println(file + ": placeholder method name " + left[0] + " remains");
                System.exit(1);
            }
            Files.write(file, renamed);
        }
    }
}
