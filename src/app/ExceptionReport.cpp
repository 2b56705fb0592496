#include "app/ExceptionReport.h"

#include "framework/Prompt.h"

#include <QApplication>
#include <exception>
#include <iostream>
#include <new>

namespace {

int Report(const QString& strProblem) {
    const QString strText =
        QCoreApplication::translate("ExceptionReport", "Quillmar has to close: %1.")
            .arg(strProblem);
    std::cerr << strText.toStdString() << std::endl;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        // Showing the box needs memory too; standard error already has the message.
        try {
            AppPrompt().MessageBox(nullptr, strText, IPrompt::Icon::Error, IPrompt::Buttons::Ok);
        } catch (...) {
        }
    }
    return 1;
}

} // namespace

int RunReportingExceptions(const std::function<int()>& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return Report(QCoreApplication::translate("ExceptionReport", "out of memory"));
    } catch (const std::exception& e) {
        return Report(QString::fromUtf8(e.what()));
    } catch (...) {
        return Report(QCoreApplication::translate("ExceptionReport", "an unexpected error"));
    }
}
