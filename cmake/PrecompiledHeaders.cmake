# Qt's and the standard library's headers are most of what each of our files
# compiles; parsed once per target instead of once per file, they take half
# the build's time away.
set(OUTLAYSHEET_PCH_CORE
    <algorithm> <functional> <memory> <optional> <utility> <vector>
    <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QMap> <QObject>
    <QString> <QStringList>)
set(OUTLAYSHEET_PCH_GUI <QColor> <QFont> <QFontMetrics> <QImage> <QPainter>)
set(OUTLAYSHEET_PCH_WIDGETS
    <QAbstractButton> <QApplication> <QBoxLayout> <QCheckBox> <QComboBox> <QDialog> <QLabel>
    <QLineEdit> <QListWidget> <QPushButton> <QWidget>)
set(OUTLAYSHEET_PCH_TESTS <gtest/gtest.h>)

# outlaysheet_precompile(TARGET [GUI] [WIDGETS] [TESTS]): the core headers,
# and those of each layer named, for the files of TARGET. A layer's headers
# go only to targets allowed to see them.
function(outlaysheet_precompile target)
    cmake_parse_arguments(PCH "GUI;WIDGETS;TESTS" "" "" ${ARGN})
    set(headers ${OUTLAYSHEET_PCH_CORE})
    if(PCH_GUI OR PCH_WIDGETS)
        list(APPEND headers ${OUTLAYSHEET_PCH_GUI})
    endif()
    if(PCH_WIDGETS)
        list(APPEND headers ${OUTLAYSHEET_PCH_WIDGETS})
    endif()
    if(PCH_TESTS)
        list(APPEND headers ${OUTLAYSHEET_PCH_TESTS})
    endif()
    target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
