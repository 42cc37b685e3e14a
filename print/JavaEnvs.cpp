#include "print/JavaEnvs.h"

#include "print/classarchive.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QThread>
#include <QtDebug>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>

JavaVMEnv JavaVMEnv::s_javaVMEnv;

namespace {

// The VM hosts one print engine inside a desktop program that stays open all
// day: left to its defaults on a large machine it sizes its heap and compiler
// for a server (a quarter of the memory, several GC threads) and stays at
// hundreds of megabytes after a few jobs. A PDF of a return needs a few tens
// of megabytes: the heap starts large enough for a job to run with a
// collection or two rather than one every few megabytes; the quick compiler
// tier starts the first job sooner, and two compiler threads keep up with
// it (more only take cores from the engine's own threads at the first print
// and compile methods no job needs soon); the serial collector has no
// threads of its own; no performance data file is written to the temporary
// folder; the engine draws no window.
const char* const kDesktopEngineOptions[] = {
    "-Xms64m",
    "-Xmx256m",
    "-XX:+UseSerialGC",
    "-XX:TieredStopAtLevel=1",
    "-XX:CICompilerCount=2",
    "-XX:ReservedCodeCacheSize=32m",
    "-XX:MaxMetaspaceSize=128m",
    "-XX:-UsePerfData",
    "-Djava.awt.headless=true",
};

// Beside a class data archive of the engine: sharing stays optional (an
// archive the VM refuses, made from another jar or by another runtime, leaves
// the classes to the jar and the runtime's own archive in use), and the VM
// says nothing of a refusal on the program's output.
const char* const kClassArchiveOptions[] = {
    "-Xshare:auto",
    "-Xlog:cds=off",
    "-Xlog:cds+dynamic=off",
};

const char* const kEngineClass = "a/b/g1";
// Local references one job holds at most: the class, the engine object, two
// strings, two byte arrays and the PDF path. The frame has room to spare.
const jint kJobLocalRefs = 16;
const jint kStartLocalRefs = 4;
// Read answers that the engine gives for a return it read.
const jint kReadAnswersOk[] = {0, 5166, 5167};

// A pending error left by a failed lookup or allocation. The result code
// already says what was missing; the error must not reach the next call.
void clearPending(JNIEnv* env)
{
    if (env->ExceptionCheck())
        env->ExceptionClear();
}

// One local frame per job, popped on every way out, so that the references a
// job makes are freed even though the user-interface thread never returns to
// Java: without it they would pile up for the life of the process.
class LocalFrame
{
public:
    LocalFrame(JNIEnv* env, jint capacity) : m_env(env), m_pushed(env->PushLocalFrame(capacity) == JNI_OK)
    {
        if (!m_pushed)
            clearPending(env);
    }
    ~LocalFrame()
    {
        if (m_pushed)
            m_env->PopLocalFrame(nullptr);
    }
    bool pushed() const { return m_pushed; }

    LocalFrame(const LocalFrame&) = delete;
    LocalFrame& operator=(const LocalFrame&) = delete;

private:
    JNIEnv* m_env;
    bool m_pushed;
};

struct EngineMethod
{
    const char* name;
    const char* signature;
    int missing; // result code when the class lacks it; 0: optional
};

const EngineMethod kConstructor = {"<init>", "()V", JavaVMEnv::NoConstructor};
const EngineMethod kPdfFolder = {"if", "(Ljava/lang/String;)V", JavaVMEnv::NoPdfFolderSetter};
const EngineMethod kXmlFolder = {"a", "(Ljava/lang/String;)V", JavaVMEnv::NoXmlFolderSetter};
const EngineMethod kOutputFolder = {"a", "([B)V", JavaVMEnv::NoOutputFolderSetter};
const EngineMethod kPdfPathGetter = {"a", "()Ljava/lang/String;", 0};
const EngineMethod kFlags = {"if", "(I)V", JavaVMEnv::NoFlagsSetter};
const EngineMethod kRead = {"if", "([B)I", JavaVMEnv::NoReadStep};
const EngineMethod kWrite = {"a", "(III)I", JavaVMEnv::NoWriteStep};
const EngineMethod kDo = {"do", "()V", JavaVMEnv::NoStepDo};
const EngineMethod kInt = {"int", "()V", JavaVMEnv::NoStepInt};
const EngineMethod kNew = {"new", "()V", JavaVMEnv::NoStepNew};
const EngineMethod kFor = {"for", "()V", JavaVMEnv::NoStepFor};
const EngineMethod kMode = {"a", "(I)V", JavaVMEnv::NoModeSetter};

// The method's id, or null with the lookup's pending error cleared.
jmethodID methodOf(JNIEnv* env, jclass engine, const EngineMethod& m)
{
    const jmethodID id = env->GetMethodID(engine, m.name, m.signature);
    if (!id)
        clearPending(env);
    return id;
}

jclass engineClass(JNIEnv* env)
{
    const jclass engine = env->FindClass(kEngineClass);
    if (!engine)
        clearPending(env);
    return engine;
}

QByteArray stepName(const EngineMethod& m)
{
    return QByteArray(m.name) + m.signature;
}

// The calls of one job on one engine object. A Java exception that an engine
// method throws is described on the standard error, written to the run log
// with the step's name and cleared; the job then ends with EngineThrew.
class EngineCalls
{
public:
    EngineCalls(JNIEnv* env, const std::function<void(const QByteArray&)>& log) : m_env(env), m_log(log) {}

    // True when the step threw (and the error was reported and cleared).
    bool threw(const EngineMethod& step)
    {
        if (!m_env->ExceptionCheck())
            return false;
        m_env->ExceptionDescribe();
        m_env->ExceptionClear();
        m_log("print engine: Java exception in step " + stepName(step));
        return true;
    }

    bool callVoid(jobject engine, jmethodID id, const EngineMethod& step)
    {
        m_env->CallVoidMethod(engine, id);
        return !threw(step);
    }
    template <typename Arg> bool callVoid(jobject engine, jmethodID id, const EngineMethod& step, Arg arg)
    {
        m_env->CallVoidMethod(engine, id, arg);
        return !threw(step);
    }

private:
    JNIEnv* m_env;
    const std::function<void(const QByteArray&)>& m_log;
};

// A Java string of the text's UTF-16 units: the JVM's own form, which the
// modified UTF-8 of NewStringUTF is not for characters outside the basic
// plane. Null (nothing pending) when it cannot be made.
jstring javaString(JNIEnv* env, const QString& text)
{
    const jstring s = env->NewString(reinterpret_cast<const jchar*>(text.utf16()), jsize(text.size()));
    if (!s)
        clearPending(env);
    return s;
}

// A Java byte array holding exactly these bytes, or null (nothing pending).
jbyteArray javaBytes(JNIEnv* env, const QByteArray& bytes)
{
    const jbyteArray array = env->NewByteArray(jsize(bytes.size()));
    if (!array) {
        clearPending(env);
        return nullptr;
    }
    env->SetByteArrayRegion(array, 0, jsize(bytes.size()), reinterpret_cast<const jbyte*>(bytes.constData()));
    if (env->ExceptionCheck()) {
        env->ExceptionClear();
        return nullptr;
    }
    return array;
}

// The text of a Java string, read as UTF-16. False when it cannot be read.
bool qtString(JNIEnv* env, jstring s, QString& out)
{
    const jsize length = env->GetStringLength(s);
    if (env->ExceptionCheck()) {
        env->ExceptionClear();
        return false;
    }
    QString text(length, Qt::Uninitialized);
    env->GetStringRegion(s, 0, length, reinterpret_cast<jchar*>(text.data()));
    if (env->ExceptionCheck()) {
        env->ExceptionClear();
        return false;
    }
    out = text;
    return true;
}

} // namespace

JavaVMEnv* JavaVMEnv::getInstance()
{
    return &s_javaVMEnv;
}

JavaVMEnv::JavaVMEnv()
    : m_pLibrary(nullptr), m_bAttached(false), m_pJVM(nullptr), m_pEnv(nullptr), m_vmArgs(), m_bReady(false),
      m_getDefaultInitArgs(nullptr), m_getCreatedVMs(nullptr), m_createVM(nullptr),
      m_ownerThread(nullptr)
{
    m_vmArgs.version = JNI_VERSION_1_2;
    m_vmArgs.nOptions = 0;
    m_vmArgs.options = nullptr;
    m_vmArgs.ignoreUnrecognized = JNI_FALSE;
    ClearVar();
}

JavaVMEnv::~JavaVMEnv()
{
    // Deliberately nothing: the VM's own threads run code of the runtime
    // library until the process is gone, so the library must stay loaded,
    // and Qt's library registry may already be destroyed at this point.
}

void JavaVMEnv::setSettingsSource(JavaVMEnvSettingsSource source)
{
    m_settings = std::move(source);
}

void JavaVMEnv::setRunLog(JavaVMEnvRunLog log)
{
    m_runLog = std::move(log);
}

JavaVMEnvSettings JavaVMEnv::readSettings() const
{
    return m_settings ? m_settings() : JavaVMEnvSettings();
}

void JavaVMEnv::writeRunLog(const QByteArray& line) const
{
    if (m_runLog)
        m_runLog(line.constData());
}

bool JavaVMEnv::onOwnerThread(const char* operation) const
{
    QThread* expected = m_ownerThread;
    if (!expected && QCoreApplication::instance())
        expected = QCoreApplication::instance()->thread();
    if (!expected || QThread::currentThread() == expected)
        return true;
    const QByteArray line = QByteArray("print engine: ") + operation +
                            " refused: called from another thread than the user-interface thread";
    qWarning().noquote() << line;
    writeRunLog(line);
    return false;
}

void JavaVMEnv::ClearVar()
{
    m_pLibrary = nullptr;
    m_pJVM = nullptr;
    m_pEnv = nullptr;
    m_bAttached = false;
    m_bReady = false;
}

void JavaVMEnv::Release()
{
    if (m_bAttached && m_pJVM)
        m_pJVM->DetachCurrentThread();
    m_bAttached = false;
    m_pJVM = nullptr;
    m_pEnv = nullptr;
    m_bReady = false;
}

int JavaVMEnv::DetectJRE(CString& path)
{
    const QString programFolder = QCoreApplication::instance()
                                      ? QCoreApplication::applicationDirPath()
                                      : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const QString beside = programFolder + QStringLiteral("/../Frameworks/openjdk/jre/lib/amd64/server/libjvm.so");
    if (QFileInfo(beside).isFile()) {
        path = beside;
        return Ok;
    }
    const CString configured = readSettings().jvmPath;
    if (!configured.isEmpty() && QFileInfo(configured).isFile()) {
        path = configured;
        return Ok;
    }
    return NoRuntimeLibrary;
}

int JavaVMEnv::Init()
{
    if (!onOwnerThread("Init"))
        return WrongThread;
    if (m_bReady)
        return Ok;
    const JavaVMEnvSettings settings = readSettings();
    m_strPdfPath = settings.pdfPath;
    m_strXmlPath = settings.xmlPath;
    m_strClassPath = settings.classPath;
    // A runtime library that loaded stays for the life of the process: once
    // it has made a VM, no other library can make a second one.
    if (!m_pLibrary) {
        CString path;
        const int found = DetectJRE(path);
        if (found != Ok)
            return found;
        m_pLibrary = new QLibrary(path);
    }
    const int result = GetJavaEnvironment();
    if (result == Ok)
        m_bReady = true;
    return result;
}

int JavaVMEnv::loadLibrary()
{
    if (m_getDefaultInitArgs && m_getCreatedVMs && m_createVM)
        return Ok;
    struct Entry
    {
        const char* symbol;
        int missing;
    };
    static const Entry kEntries[] = {
        {"JNI_GetDefaultJavaVMInitArgs", NoGetDefaultInitArgs},
        {"JNI_GetCreatedJavaVMs", NoGetCreatedVMs},
        {"JNI_CreateJavaVM", NoCreateVM},
    };
    QFunctionPointer found[3] = {};
    for (int i = 0; i < 3; ++i) {
        found[i] = m_pLibrary ? m_pLibrary->resolve(kEntries[i].symbol) : nullptr;
        if (!found[i]) {
            std::fprintf(stderr, "JVM library did not contain %s entry point.\n", kEntries[i].symbol);
            std::fflush(stderr);
            // Not a usable runtime: the next start looks for the library
            // again. The object goes, the library stays mapped (whatever
            // else in the process may use it).
            delete m_pLibrary;
            m_pLibrary = nullptr;
            return kEntries[i].missing;
        }
    }
    m_getDefaultInitArgs = reinterpret_cast<jint(JNICALL*)(void*)>(found[0]);
    m_getCreatedVMs = reinterpret_cast<jint(JNICALL*)(JavaVM**, jsize, jsize*)>(found[1]);
    m_createVM = reinterpret_cast<jint(JNICALL*)(JavaVM**, void**, void*)>(found[2]);
    return Ok;
}

int JavaVMEnv::findOrCreateVM()
{
    // A VM made by an earlier start that failed later on (a missing engine)
    // is the one this process can have: it is taken again, not made anew.
    JavaVM* existing = nullptr;
    jsize count = 0;
    if (m_getCreatedVMs(&existing, 1, &count) == JNI_OK && count > 0 && existing) {
        void* env = nullptr;
        if (existing->GetEnv(&env, JNI_VERSION_1_2) != JNI_OK || !env)
            return VMNotCreated;
        m_pJVM = existing;
        m_pEnv = static_cast<JNIEnv*>(env);
        m_ownerThread = QThread::currentThread();
        return Ok;
    }
    JavaVM* vm = nullptr;
    void* env = nullptr;
    if (m_createVM(&vm, &env, &m_vmArgs) != JNI_OK || !vm || !env)
        return VMNotCreated;
    m_pJVM = vm;
    m_pEnv = static_cast<JNIEnv*>(env);
    m_ownerThread = QThread::currentThread();
    return Ok;
}

void JavaVMEnv::addClassArchiveOptions()
{
    m_classArchiveOption.clear();
    classarchive::Verdict verdict = classarchive::Verdict::Missing;
    const QString archive = classarchive::forClassPath(m_strClassPath, verdict);
    if (verdict != classarchive::Verdict::Usable) {
        if (verdict != classarchive::Verdict::Missing)
            writeRunLog("print engine: class data archive " + QFile::encodeName(archive) + " not used: " +
                        classarchive::describe(verdict));
        return;
    }
    m_classArchiveOption = QByteArrayLiteral("-XX:SharedArchiveFile=") + QFile::encodeName(archive);
    m_options.push_back(JavaVMOption{m_classArchiveOption.data(), nullptr});
    for (const char* option : kClassArchiveOptions)
        m_options.push_back(JavaVMOption{const_cast<char*>(option), nullptr});
}

int JavaVMEnv::GetJavaEnvironment()
{
    const int loaded = loadLibrary();
    if (loaded != Ok)
        return loaded;

    m_vmArgs.version = JNI_VERSION_1_2;
    if (m_getDefaultInitArgs(&m_vmArgs) != JNI_OK)
        return VersionRefused;

    m_classPathOption = QByteArrayLiteral("-Djava.class.path=") + m_strClassPath.toUtf8();
    m_options.clear();
    m_options.push_back(JavaVMOption{m_classPathOption.data(), nullptr});
    for (const char* option : kDesktopEngineOptions)
        m_options.push_back(JavaVMOption{const_cast<char*>(option), nullptr});
    addClassArchiveOptions();
    m_vmArgs.version = JNI_VERSION_1_2;
    m_vmArgs.nOptions = jint(m_options.size());
    m_vmArgs.options = m_options.data();
    m_vmArgs.ignoreUnrecognized = JNI_FALSE;

    const int made = findOrCreateVM();
    if (made != Ok)
        return made;

    JNIEnv* env = m_pEnv;
    const LocalFrame frame(env, kStartLocalRefs);
    if (!frame.pushed())
        return NoEngineClass;
    const jclass engine = engineClass(env);
    if (!engine)
        return NoEngineClass;
    for (const EngineMethod* m : {&kConstructor, &kPdfFolder, &kXmlFolder, &kOutputFolder}) {
        if (!methodOf(env, engine, *m))
            return m->missing;
    }
    // Looked up now only to find out early; their absence fails each job.
    methodOf(env, engine, kRead);
    methodOf(env, engine, kWrite);
    return Ok;
}

int JavaVMEnv::doJob(CString& returnFilePath, bool spouse, int mode, int category, int formId, int flags,
                     const char* outputFolder, CString& pdfPath)
{
    if (!onOwnerThread("doJob"))
        return WrongThread;
    if (!m_bReady || !m_pEnv)
        return VMNotCreated;
    JNIEnv* env = m_pEnv;
    const JavaVMEnvSettings settings = readSettings();
    const std::function<void(const QByteArray&)> log = [this](const QByteArray& line) { writeRunLog(line); };
    EngineCalls calls(env, log);

    const LocalFrame frame(env, kJobLocalRefs);
    if (!frame.pushed())
        return EngineNotCreated;

    // 1. The class and the methods every job needs.
    const jclass engineType = engineClass(env);
    if (!engineType)
        return NoEngineClass;
    jmethodID constructor = nullptr, pdfFolderSetter = nullptr, xmlFolderSetter = nullptr,
              outputFolderSetter = nullptr, pdfPathGetter = nullptr, flagsSetter = nullptr, read = nullptr,
              write = nullptr;
    const struct
    {
        const EngineMethod& method;
        jmethodID& id;
    } lookups[] = {
        {kConstructor, constructor}, {kPdfFolder, pdfFolderSetter}, {kXmlFolder, xmlFolderSetter},
        {kOutputFolder, outputFolderSetter}, {kPdfPathGetter, pdfPathGetter}, {kFlags, flagsSetter},
        {kRead, read}, {kWrite, write},
    };
    for (const auto& lookup : lookups) {
        lookup.id = methodOf(env, engineType, lookup.method);
        if (!lookup.id && lookup.method.missing != 0)
            return lookup.method.missing;
    }

    // 2. The engine object of this job.
    const jobject engine = env->NewObject(engineType, constructor);
    if (calls.threw(kConstructor))
        return EngineThrew;
    if (!engine)
        return EngineNotCreated;
    const jmethodID stepDo = methodOf(env, engineType, kDo);
    if (!stepDo)
        return NoStepDo;

    // 3, 4. The template and layout folders.
    const jstring pdfFolder = javaString(env, m_strPdfPath);
    if (!pdfFolder)
        return PdfFolderNotPassed;
    if (!calls.callVoid(engine, pdfFolderSetter, kPdfFolder, pdfFolder))
        return EngineThrew;
    const jstring xmlFolder = javaString(env, m_strXmlPath);
    if (!xmlFolder)
        return FolderNotPassed;
    if (!calls.callVoid(engine, xmlFolderSetter, kXmlFolder, xmlFolder))
        return EngineThrew;

    // 5. The output folder, as the exact UTF-8 bytes it was given in.
    const QByteArray outputBytes =
        outputFolder && *outputFolder ? QByteArray(outputFolder) : settings.retPdfPath.toUtf8();
    const jbyteArray output = javaBytes(env, outputBytes);
    if (!output)
        return FolderNotPassed;
    if (!calls.callVoid(engine, outputFolderSetter, kOutputFolder, output))
        return EngineThrew;

    // 6 to 10. The flags and the steps without arguments.
    if (!calls.callVoid(engine, flagsSetter, kFlags, jint(flags)))
        return EngineThrew;
    if (!calls.callVoid(engine, stepDo, kDo))
        return EngineThrew;
    struct Step
    {
        const EngineMethod& method;
        bool wanted;
    };
    const Step steps[] = {{kInt, true}, {kNew, !settings.printHeader}, {kFor, true}};
    for (const Step& step : steps) {
        if (!step.wanted)
            continue;
        const jmethodID id = methodOf(env, engineType, step.method);
        if (!id)
            return step.method.missing;
        if (!calls.callVoid(engine, id, step.method))
            return EngineThrew;
    }
    if (mode != 0) {
        const jmethodID modeSetter = methodOf(env, engineType, kMode);
        if (!modeSetter)
            return NoModeSetter;
        if (!calls.callVoid(engine, modeSetter, kMode, jint(mode)))
            return EngineThrew;
    }

    // 11. The read step.
    const jbyteArray returnPath = javaBytes(env, returnFilePath.toUtf8());
    if (!returnPath)
        return ReturnPathNotPassed;
    const jint readAnswer = env->CallIntMethod(engine, read, returnPath);
    if (calls.threw(kRead))
        return EngineThrew;
    if (std::find(std::begin(kReadAnswersOk), std::end(kReadAnswersOk), readAnswer) == std::end(kReadAnswersOk))
        return ReadFailed;

    // 12. The write step.
    const jint writeAnswer = env->CallIntMethod(engine, write, jint(spouse ? 1 : 0), jint(category), jint(formId));
    if (calls.threw(kWrite))
        return EngineThrew;
    if (writeAnswer != 0)
        return WriteFailed;

    // 13. The path of the PDF, when the engine tells it.
    if (pdfPathGetter) {
        const jobject written = env->CallObjectMethod(engine, pdfPathGetter);
        if (calls.threw(kPdfPathGetter))
            return EngineThrew;
        QString text;
        if (written && qtString(env, static_cast<jstring>(written), text))
            pdfPath = text;
    }
    return Ok;
}
