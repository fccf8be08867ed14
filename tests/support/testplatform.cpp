#include "testplatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

LocaleInfo UsEnglishLocale() {
    LocaleInfo locale;
    const std::pair<LocaleItem, const char*> items[] = {
        {LocaleItem::Decimal, "."},
        {LocaleItem::Thousand, ","},
        {LocaleItem::Grouping, "3;0"},
        {LocaleItem::Digits, "2"},
        {LocaleItem::LeadingZero, "1"},
        {LocaleItem::NegativeNumber, "1"},
        {LocaleItem::CurrencySymbol, "$"},
        {LocaleItem::IntlSymbol, "USD"},
        {LocaleItem::MonDecimal, "."},
        {LocaleItem::MonThousand, ","},
        {LocaleItem::MonGrouping, "3;0"},
        {LocaleItem::CurrencyDigits, "2"},
        {LocaleItem::PositiveCurrency, "0"},
        {LocaleItem::NegativeCurrency, "0"},
        {LocaleItem::ShortDate, "M/d/yyyy"},
        {LocaleItem::LongDate, "dddd, MMMM dd, yyyy"},
        {LocaleItem::DateSeparator, "/"},
        {LocaleItem::TimeFormat, "h:mm:ss tt"},
        {LocaleItem::TimeSeparator, ":"},
        {LocaleItem::AmSymbol, "AM"},
        {LocaleItem::PmSymbol, "PM"},
        {LocaleItem::EnglishCurrencyName, "US Dollar"},
        {LocaleItem::EnglishCountryName, "United States"},
        {LocaleItem::EnglishLanguageName, "English"},
    };
    for (const auto& [item, value] : items) {
        locale.Set(item, QString::fromLatin1(value));
    }
    const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};
    for (int month = 1; month <= 12; ++month) {
        const QString name = QString::fromLatin1(months[month - 1]);
        locale.Set(MonthNameItem(month, false), name);
        locale.Set(MonthNameItem(month, true), name.left(3));
    }
    const char* days[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                          "Friday", "Saturday", "Sunday"};
    for (int day = 1; day <= 7; ++day) {
        const QString name = QString::fromLatin1(days[day - 1]);
        locale.Set(DayNameItem(day, false), name);
        locale.Set(DayNameItem(day, true), name.left(3));
    }
    return locale;
}

QTimeZone TestTimeZone() {
    return QTimeZone(-5 * 3600);
}

TestPlatform::TestPlatform(LocaleInfo systemLocale)
    : TestPlatform(std::move(systemLocale), nullptr) {}

TestPlatform::TestPlatform(LocaleInfo systemLocale, std::unique_ptr<::Prompts> prompts) {
    PlatformPaths paths;
    paths.documentsRoot = temp_.filePath(QStringLiteral("root"));
    paths.registryFolder = temp_.filePath(QStringLiteral("registry"));
    paths.systemFolder = temp_.filePath(QStringLiteral("system"));
    // Not made: a test that wants an address book writes its cards there.
    paths.contactsFolder = temp_.filePath(QStringLiteral("contacts"));
    QDir().mkpath(paths.documentsRoot);
    QDir().mkpath(paths.systemFolder);
    auto clock = std::make_unique<FixedClock>(kTestNow, TestTimeZone());
    if (prompts == nullptr) {
        auto scripted = std::make_unique<ScriptedPrompts>();
        prompts_ = scripted.get();
        prompts = std::move(scripted);
    }
    clock_ = clock.get();
    platform_ = std::make_unique<Platform>(paths, std::move(clock), std::move(prompts),
                                           std::move(systemLocale));
    scope_ = std::make_unique<PlatformScope>(*platform_);
}

TestPlatform::~TestPlatform() = default;

QString TestPlatform::InstallAppPath() {
    const QString folder = temp_.filePath(QStringLiteral("install"));
    QDir().mkpath(folder);
    platform_->GetRegistry().WriteString(RegistryHive::LocalMachine,
                                         QStringLiteral("Software\\Apps\\Outlaysheet"),
                                         QStringLiteral("App Path"), folder);
    return folder;
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
