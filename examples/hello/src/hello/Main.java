package hello;

/** The sample application as compiled Java, for a real runtime. */
public final class Main {
    static {
        System.out.println("hello.Main loaded");
    }

    public static void main(String[] args) {
        System.out.println("Hello from Java");
        System.out.println(System.getProperty("greeting"));
        System.out.println(System.getProperty("java.class.path"));
        System.out.println(System.getenv("QZ_JVM_HOME"));
        for (String arg : args) {
            System.out.println(arg);
        }
    }
}
