#include "dialogs/TQtSaveDialog.h"
#include "dialogs/TSystemSaveDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

// Releases the COM object it holds when it goes.
template <class T> class TComRef {
public:
    TComRef() = default;
    TComRef(const TComRef&) = delete;
    TComRef& operator=(const TComRef&) = delete;
    ~TComRef() {
        if (object_)
            object_->Release();
    }
    T** Out() { return &object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }

private:
    T* object_ = nullptr;
};

const wchar_t* Wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// The folder the dialog starts in is the system's: the one last used with this program. Only where
// there is none yet, on the very first save, does it open in the user's Documents.
void StartInDocumentsFirst(IFileSaveDialog& dialog) {
    TComRef<IShellItem> documents;
    if (SUCCEEDED(SHGetKnownFolderItem(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr,
                                       IID_PPV_ARGS(documents.Out()))))
        dialog.SetDefaultFolder(&*documents);
}

// Notes the name as the clerk typed it when the dialog is confirmed, before the dialog completes it
// with the filter's extension (as some implementations do even without a default extension).
class TTypedName final : public IFileDialogEvents {
public:
    std::optional<QString> name;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id != IID_IUnknown && id != IID_IFileDialogEvents) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IFileDialogEvents*>(this);
        return S_OK;
    }
    // Lives on the stack for the whole dialog; the dialog's references change nothing.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog* dialog) override {
        wchar_t* typed = nullptr;
        TComRef<IShellItem> folder;
        wchar_t* folderPath = nullptr;
        if (SUCCEEDED(dialog->GetFileName(&typed)) && SUCCEEDED(dialog->GetFolder(folder.Out())) &&
            SUCCEEDED(folder->GetDisplayName(SIGDN_FILESYSPATH, &folderPath)))
            name =
                QDir(QString::fromWCharArray(folderPath))
                    .absoluteFilePath(QDir::fromNativeSeparators(QString::fromWCharArray(typed)));
        CoTaskMemFree(typed);
        CoTaskMemFree(folderPath);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem*,
                                               FDE_SHAREVIOLATION_RESPONSE*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*,
                                          FDE_OVERWRITE_RESPONSE*) override {
        return S_OK;
    }
};

// The typed name, with `suffix` added when it has no extension; the dialog's own result when the
// typed name could not be read, none when that cannot be read either.
std::optional<QString> ResultOf(IFileSaveDialog& dialog, const TTypedName& typed,
                                const QString& suffix) {
    QString name;
    if (typed.name) {
        name = QDir::toNativeSeparators(*typed.name);
    } else {
        TComRef<IShellItem> item;
        wchar_t* path = nullptr;
        if (FAILED(dialog.GetResult(item.Out())) ||
            FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)))
            return std::nullopt;
        name = QString::fromWCharArray(path);
        CoTaskMemFree(path);
    }
    if (QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + suffix;
    return name;
}

// What the system's dialog came to: the confirmed name, a cancel (no name, no failure), or the
// code of the failure that kept it from starting or from giving its name back.
struct TSystemAnswer {
    std::optional<QString> name;
    HRESULT failure = S_OK;
};

void SetUp(IFileSaveDialog& dialog, const TSaveDialogKind& kind, const QString& offered) {
    FILEOPENDIALOGOPTIONS options = 0;
    dialog.GetOptions(&options);
    options &=
        ~(FOS_OVERWRITEPROMPT | FOS_PATHMUSTEXIST | FOS_NOREADONLYRETURN | FOS_STRICTFILETYPES);
    dialog.SetOptions(options | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
    dialog.SetTitle(Wide(kind.title));
    const QString pattern = QStringLiteral("*.") + kind.suffix;
    const COMDLG_FILTERSPEC filterSpec{Wide(kind.filter), Wide(pattern)};
    dialog.SetFileTypes(1, &filterSpec);
    // No default extension: with one, the dialog appends it to any name but its own kind.
    StartInDocumentsFirst(dialog);
    if (!offered.isEmpty()) {
        const QString fileName = QFileInfo(offered).fileName();
        dialog.SetFileName(Wide(fileName));
    }
}

TSystemAnswer AskSystem(QWidget* parent, const TSaveDialogKind& kind, const QString& offered) {
    TComRef<IFileSaveDialog> dialog;
    if (const HRESULT created = CoCreateInstance(CLSID_FileSaveDialog, nullptr,
                                                 CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.Out()));
        FAILED(created))
        return {std::nullopt, created};
    SetUp(*dialog, kind, offered);
    TTypedName typed;
    DWORD advice = 0;
    const bool advised = SUCCEEDED(dialog->Advise(&typed, &advice));
    const HWND owner = parent ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
    const HRESULT shown = dialog->Show(owner);
    if (advised)
        dialog->Unadvise(advice);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return {};
    if (FAILED(shown))
        return {std::nullopt, shown};
    std::optional<QString> name = ResultOf(*dialog, typed, kind.suffix);
    return {name, name ? S_OK : E_FAIL};
}

// Says that the system's dialog failed and that the program's own takes its place, so that the
// failure never reads as a cancel.
void SayFallingBack(QWidget* parent, const TSaveDialogKind& kind, HRESULT failure) {
    QMessageBox::warning(
        parent, kind.title,
        QStringLiteral("Systemowe okno zapisu nie otworzyło się (błąd 0x%1). Nazwę pliku podaj "
                       "w oknie programu, które otworzy się teraz.")
            .arg(static_cast<unsigned long>(failure), 8, 16, QLatin1Char('0')));
}

} // namespace

std::optional<QString> TSystemSaveDialog::Ask(QWidget* parent, const TSaveDialogKind& kind,
                                              const QString& offered) {
    // The offscreen platform (the tests) has no system dialog to show.
    if (QGuiApplication::platformName() != QStringLiteral("windows"))
        return TQtSaveDialog::Ask(parent, kind, offered);
    const TSystemAnswer answer = AskSystem(parent, kind, offered);
    if (SUCCEEDED(answer.failure))
        return answer.name;
    SayFallingBack(parent, kind, answer.failure);
    return TQtSaveDialog::Ask(parent, kind, offered);
}
