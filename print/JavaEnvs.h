#pragma once

#include <vector>

#include "companion/core/cstring.h"
#include "print/javaenvsettings.h"

#include <QByteArray>

#include <jni.h>

class QLibrary;
class QThread;

// The bridge to the Java print engine. On the first print it loads the Java
// runtime library into this process, creates the one Java VM the process may
// have (JNI invocation interface) and then runs one print job per doJob call:
// a fresh engine object of class "a/b/g1" whose methods are called once each
// in a fixed order. Every failure is a negative result code; the bridge shows
// nothing itself. Only the user-interface thread may come here: the JNI
// environment belongs to the thread that created the VM.
class JavaVMEnv
{
public:
    // Result codes. Start: -21 to -10 and -101 to -105; job: -101 to -140.
    enum Result {
        Ok = 0,
        NoRuntimeLibrary = -21,
        NoGetDefaultInitArgs = -3,
        NoGetCreatedVMs = -4,
        NoCreateVM = -5,
        VersionRefused = -7,
        VMNotCreated = -10,
        NoEngineClass = -101,
        NoConstructor = -102,
        NoPdfFolderSetter = -103,
        NoXmlFolderSetter = -104,
        NoOutputFolderSetter = -105,
        NoReadStep = -106,
        NoWriteStep = -107,
        EngineNotCreated = -108,
        PdfFolderNotPassed = -109,
        FolderNotPassed = -111, // the XML folder string or the output folder array
        NoFlagsSetter = -112,
        ReadFailed = -116,
        WriteFailed = -117,
        NoStepInt = -120,
        NoStepNew = -121,
        NoStepFor = -122,
        NoModeSetter = -123,
        NoStepDo = -124,
        ReturnPathNotPassed = -130,
        EngineThrew = -140,    // an engine method threw; the job ended there
        WrongThread = -150,    // called from another thread than the user-interface thread
    };

    static JavaVMEnv s_javaVMEnv;
    static JavaVMEnv* getInstance();

    JavaVMEnv();
    ~JavaVMEnv();

    // Starts the VM unless it is ready; 0 when ready, else a start code.
    int Init();
    // One print job; only after Init returned 0. outputFolder is UTF-8 with a
    // terminating zero; null or empty means RetPdfPath. pdfPath receives the
    // path of the written PDF when the engine reports one, else keeps its value.
    int doJob(CString& returnFilePath, bool spouse, int mode, int category, int formId, int flags,
              const char* outputFolder, CString& pdfPath);
    // Finds the runtime library: beside the program, else JVMPATH; 0 or -21.
    int DetectJRE(CString& path);
    // Resolves the invocation functions, creates (or finds) the VM and checks
    // the engine class; 0 or a start code.
    int GetJavaEnvironment();
    // Forgets the library, the VM and the environment and clears the flags.
    void ClearVar();
    // Forgets the VM so that the next Init looks for it again. The VM is
    // neither destroyed nor the library unloaded: a process can have only
    // one VM, and its threads run code of the library until the process ends.
    void Release();

    // The program's configuration and run log, installed at start.
    void setSettingsSource(JavaVMEnvSettingsSource source);
    void setRunLog(JavaVMEnvRunLog log);

private:
    JavaVMEnvSettings readSettings() const;
    bool onOwnerThread(const char* operation) const;
    int loadLibrary();
    int findOrCreateVM();
    // The options that hand the VM the engine's class data archive, when the
    // class path's jar has a usable one beside it (print/classarchive.h).
    void addClassArchiveOptions();
    void writeRunLog(const QByteArray& line) const;

    QLibrary* m_pLibrary;
    bool m_bAttached;
    JavaVM* m_pJVM;
    JNIEnv* m_pEnv;
    JavaVMInitArgs m_vmArgs;
    bool m_bReady;
    CString m_strClassPath;
    CString m_strPdfPath;
    CString m_strXmlPath;

    // The VM's options: the class path, in a buffer of the size its text
    // needs (the VM reads it while it is created and a class path may be of
    // any length), then the fixed options of a desktop print engine, then
    // the engine's class data archive when there is a usable one.
    QByteArray m_classPathOption;
    QByteArray m_classArchiveOption;
    std::vector<JavaVMOption> m_options;
    // The invocation functions of a library that loaded and had all three;
    // kept with the library for the life of the process.
    jint(JNICALL* m_getDefaultInitArgs)(void*);
    jint(JNICALL* m_getCreatedVMs)(JavaVM**, jsize, jsize*);
    jint(JNICALL* m_createVM)(JavaVM**, void**, void*);
    QThread* m_ownerThread; // the thread whose environment m_pEnv is
    JavaVMEnvSettingsSource m_settings;
    JavaVMEnvRunLog m_runLog;

    JavaVMEnv(const JavaVMEnv&) = delete;
    JavaVMEnv& operator=(const JavaVMEnv&) = delete;
};
