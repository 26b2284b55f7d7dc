#include "render/image_file.h"
#include "shell/application.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QImage>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <stdexcept>

namespace {

// An object whose event handler fails the way a core call may.
class CThrowingObject : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("vector::_M_range_check");
        return QObject::event(e);
    }
};

} // namespace

TEST(Application, AnExceptionFromAnEventHandlerIsShownAndTheProgramGoesOn) {
    QString shown;
    // The message box is modal: read and close it from the event loop it runs.
    QTimer::singleShot(50, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    CThrowingObject object;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QApplication::sendEvent(&object, &event));
    EXPECT_EQ(shown, "Unexpected error: vector::_M_range_check");
}

TEST(Application, AnImageIsWrittenInTheFormatOfItsExtension) {
    QTemporaryDir dir;
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    std::string reason;
    ASSERT_TRUE(WriteImageFile(image, dir.filePath("plot.png"), reason)) << reason;
    const QImage back(dir.filePath("plot.png"), "PNG");
    EXPECT_EQ(back.size(), image.size());
    EXPECT_FALSE(WriteImageFile(image, dir.filePath("missing/plot.png"), reason));
    EXPECT_EQ(reason, "No such file or directory");
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
