#pragma once
// Start-up, the main screen and the end: window creation and activation,
// the restriction notice, ResetMainScreen and the hide operations, and the
// closing notice.

#include <memory>
#include <string>

#include "app/screen_catalogue.h"
#include "platform/application.h"

namespace vxr::app {

class TForm1;

inline constexpr const char* kNoDataMessage = "原始数据读取失败";
inline constexpr const char* kNotFromDatasMessage = "C:\\DATAS中缺少文件VXR.DAT";
inline constexpr const char* kCommandLineOnlyMessage = "目前只允许以命令行方式运行，请使用命令，并加上适当参数";

// Exit statuses (3, an event script's input ran out, is the platform's).
inline constexpr int kExitNormal = 0;
inline constexpr int kExitNoData = 1;
inline constexpr int kExitRefused = 2;
inline constexpr int kExitUsageError = 4;       // a command line the batch mode cannot use
inline constexpr int kExitOperationFailed = 5;  // a batch operation refused, declined or failed
inline constexpr int kExitScriptError = platform::Application::kScriptErrorExitStatus;  // 6
inline constexpr int kExitNoDisplay = 7;
inline constexpr int kExitUnanswered = 8;  // a command-line run without a display waited for an answer

class Screens {
public:
    explicit Screens(TForm1& window) : w_(window) {}

    // Loads the record and the catalogue; false when the program must stop
    // (the reason was shown and the exit status set).
    bool FormCreate();
    void FormActivate();
    void FormClose();
    void Image0Click();

    void ResetMainScreen();
    void HideMainMenu();
    void HideSubmenus();
    void HideThirdMenus();
    void HideDialog();

    // Closes the window as its close button would.
    void closeWindow() { FormClose(); }

    // Waits until every picture is decoded (the first input event does so);
    // throws when one cannot be.
    void finishLoadingPictures();

    // The restriction notice's text for the given flags, or empty.
    static std::string restrictionNotice(unsigned flags);

    // A plain platform message box, traced.
    void plainMessage(const std::string& text);

    // A data file for a person: its DOS path and the host file it stands for.
    std::string describeDataFile() const;
    std::string describeDataFile(const std::string& dosPath) const;

private:
    bool loadRecord();
    void startLoadingPictures();
    void showFirstFrame();
    void showRestrictionNotice();
    void showMainScreenPicture();
    void clearForContactNotice();
    void showContactNotice();

    TForm1& w_;
    // The pictures still being decoded on a second thread, until finished.
    std::unique_ptr<PictureLoading> pictureLoading_;
};

}  // namespace vxr::app
