#pragma once
// The About box: name, version, the platforms it runs on, a link to the
// maker's web page and OK.
#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;

inline constexpr char kProgramVersion[] = "2.00";
// The maker's web page, opened by the About link and the home-page command.
inline const QUrl kHomePageUrl{QStringLiteral("https://www.kestrane.example/vantrel/")};

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    using LinkOpener = std::function<void(const QUrl&)>;
    CAboutDlg(LinkOpener openLink, QWidget* parent = nullptr);

    // Activates the link as a click would.
    void ActivateLink();

private:
    LinkOpener openLink_;
    QLabel* link_;
};
