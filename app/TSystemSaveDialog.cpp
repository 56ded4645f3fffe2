#include "app/TSystemSaveDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
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
// typed name could not be read.
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

} // namespace

bool TSystemSaveDialog::IsAvailable() {
    return QGuiApplication::platformName() == QStringLiteral("windows");
}

std::optional<QString> TSystemSaveDialog::Ask(QWidget* parent, const QString& title,
                                              const QString& filter, const QString& suffix,
                                              const QString& offered) {
    TComRef<IFileSaveDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(dialog.Out()))))
        return std::nullopt;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    options &=
        ~(FOS_OVERWRITEPROMPT | FOS_PATHMUSTEXIST | FOS_NOREADONLYRETURN | FOS_STRICTFILETYPES);
    dialog->SetOptions(options | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
    dialog->SetTitle(Wide(title));
    const QString pattern = QStringLiteral("*.") + suffix;
    const COMDLG_FILTERSPEC filterSpec{Wide(filter), Wide(pattern)};
    dialog->SetFileTypes(1, &filterSpec);
    // No default extension: with one, the dialog appends it to any name but its own kind.
    StartInDocumentsFirst(*dialog);
    if (!offered.isEmpty()) {
        const QString fileName = QFileInfo(offered).fileName();
        dialog->SetFileName(Wide(fileName));
    }
    TTypedName typed;
    DWORD advice = 0;
    const bool advised = SUCCEEDED(dialog->Advise(&typed, &advice));
    const HWND owner = parent ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
    const HRESULT shown = dialog->Show(owner);
    if (advised)
        dialog->Unadvise(advice);
    if (FAILED(shown))
        return std::nullopt;
    return ResultOf(*dialog, typed, suffix);
}
