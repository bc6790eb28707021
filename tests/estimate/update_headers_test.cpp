// The header form as the list and the editor call it: a new header primed from the settings
// (charges, firm, director, the indices rounded, one too wide left out), both titles, the
// number's checks, what the entries take, the memo, NumSmeta, a renumbered estimate.
#include "tests/estimate/estimate_windows.h"

#include "estimate/headers/header_priming.h"
#include "platform/ui/windows/text_box.h"

namespace {

enum Controls { kNumber = 3, kName = 7, kKindMat = 36, kKindTz = 38, kKindEm = 40, kKstesn = 44, kOverheads = 47,
                kMemo = 67, kOk = 68, kCancel = 69 };

Decimal num(const char* text) { return *Decimal::parse(text); }

struct HeaderForm : test::EstimateWindows {
    HeaderForm()
    {
        for (int n = 1; n <= 9; ++n) {
            GLO::NakrutkiName[std::size_t(n)] = QStringLiteral("Накрутка %1").arg(n);
            GLO::Nakrutki[std::size_t(n)] = Decimal(n) + Decimal::fromScaled(25, 2);
        }
        FirmName = "ООО \"Стройсервис-Плюс\" и партн";  // 30 characters
        Director = "Петров П.П.";
    }
    // The list's insert: the header primed by its file manager, then the form.
    void insert()
    {
        call(FileId::Headers, [] {
            ASSERT_EQ(Access(FileId::Headers).PrimeRecord(), records::Level::Benign);
            ProcRequest() = ui::REQUEST::InsertRecord;
            ui::callProcedure("UpdateHeaders");
        });
    }
    void change(int number)
    {
        call(FileId::Headers, [number] {
            ASSERT_TRUE(readHeader(number));
            ProcRequest() = ui::REQUEST::ChangeRecord;
            ui::callProcedure("UpdateHeaders");
        });
    }
    // Every field of header `number` as stored, read on a thread of its own.
    HeadersRecord storedHeader(int number)
    {
        HeadersRecord out;
        onThread([&] {
            Relate(FileId::Headers).Open();
            EXPECT_TRUE(readHeader(number));
            out = DFL();
            Relate(FileId::Headers).Close();
        });
        return out;
    }
};

TEST_F(HeaderForm, TheIndicesAreRoundedHalfAwayFromZeroAndOneTooWideIsNotTaken)
{
    struct Case {
        const char* preset;
        const char* index;  // "" not taken
    };
    const Case cases[] = {{"1.125", "1.13"}, {"-1.125", "-1.13"}, {"1.124", "1.12"}, {"99999.994", "99999.99"},
                          {"99999.995", ""}, {"-123456.789", ""}};
    for (const Case& c : cases) {
        GLO::ZarpCoeff = num(c.preset);
        GLO::MaterCoeff = num("2.5");
        GLO::ZarpMashCoeff = num("0.001");
        const bool taken = *c.index != 0;
        onThread([&] {
            DFL().KIND_TZ = num("7");  // whatever the buffer held
            EXPECT_EQ(PrimeNewHeader(), taken) << c.preset;
            EXPECT_EQ(DFL().KIND_TZ.value(), taken ? num(c.index) : Decimal()) << c.preset;
            EXPECT_EQ(DFL().KIND_MAT.value(), num("2.5"));
            EXPECT_EQ(DFL().KIND_EM.value(), Decimal()) << "0.001 rounds to 0.00";
        });
    }
}

TEST_F(HeaderForm, ANewHeaderShowsTheFirmsDefaultsAndIsStoredWithThem)
{
    GLO::ZarpCoeff = num("1.125");
    GLO::MaterCoeff = num("-1.125");
    GLO::ZarpMashCoeff = num("1.124");
    addHeader(1, "Ремонт");
    NumSmeta = 0;
    insert();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->title(), "Запись будет ДОБАВЛЕНА  (Новая)");
    EXPECT_TRUE(messages.shown().empty());
    const struct {
        int control;
        const char* shown;
    } shown[] = {{kNumber, "2"},         {15, "ООО \"Стройсервис-Плюс\" и партн"}, {19, "Петров П.П."},
                 {24, "Директор"},       {kKindTz, "1.13"},     {kKindMat, "-1.13"}, {kKindEm, "1.12"},
                 {42, "0.0000"},         {kKstesn, "0.0000"},   {kOverheads, "0.0000"},
                 {48, "Накрутка 1"},     {49, "1.2500"},        {50, "Накрутка 2"},  {51, "2.2500"},
                 {64, "Накрутка 9"},     {65, "9.2500"}};
    for (const auto& s : shown) EXPECT_EQ(text(window, s.control), QString::fromUtf8(s.shown)) << s.control;
    EXPECT_EQ(window->control(45)->text(), "Накладные расходы  (считается от  З/ПЛ) :");
    EXPECT_EQ(window->control(33)->widget()->toolTip(), "общая стоимость сметы.\nВычисляется при печати.");

    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);
    EXPECT_EQ(NumSmeta, 2);
    const HeadersRecord h = storedHeader(2);
    EXPECT_EQ(h.PODRJADCHI.toQString(), "ООО \"Стройсервис-Плюс\" и партн");
    EXPECT_EQ(h.POD_FIO.toQString(), "Петров П.П.");
    EXPECT_EQ(h.ZAK_DOL.toQString(), "Директор");
    EXPECT_EQ(h.DOPNACH1.value(), num("1.25"));  // the file defaults' 0 gives way to the preset
    EXPECT_EQ(h.DOPNACH2.value(), num("2.25"));
    EXPECT_EQ(h.CDOPNACH9.toQString(), "Накрутка 9");
    EXPECT_EQ(h.DOPNACH9.value(), num("9.25"));
    EXPECT_EQ(h.DOPNACH9_1.value(), Decimal());
    EXPECT_EQ(h.KIND_TZ.value(), num("1.13"));
    EXPECT_EQ(h.KIND_MAT.value(), num("-1.13"));
    EXPECT_EQ(h.KIND_EM.value(), num("1.12"));
    EXPECT_GT(h.DATEACT, 0);
}

TEST_F(HeaderForm, ADefaultIndexTooWideIsLeftOutWithANoticeBeforeTheFormOpens)
{
    GLO::MaterCoeff = num("123456.789");
    GLO::ZarpCoeff = num("1.5");
    bool formOpenAtNotice = true;
    messages.onShow = [&](const test::ShownMessage&) {
        ui::LogicalThread* t = ui::Scheduler::instance().find(thread);
        formOpenAtNotice = t && t->topWindow() && t->topWindow()->isOpen();
    };
    insert();
    ASSERT_TRUE(window);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Коэффициент удорожания по умолчанию слишком велик и не перенесён в смету.");
    EXPECT_EQ(messages.shown()[0].caption, "Смета");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
    EXPECT_FALSE(formOpenAtNotice);
    EXPECT_EQ(text(window, kKindMat), "0.00");
    EXPECT_EQ(text(window, kKindTz), "1.50");
    messages.onShow = {};
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(storedHeader(1).KIND_MAT.value(), Decimal());
}

TEST_F(HeaderForm, NumberZeroIsRefusedAndTheEntriesTakeOnlyWhatTheirFieldsHold)
{
    addHeader(5, "Школа");
    NumSmeta = 9;
    change(5);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->title(), "Запись будет ИЗМЕНЕНА  (Сметные коэффициенты)");
    retype(window, kNumber, "40000");
    EXPECT_EQ(text(window, kNumber), "4000");
    retype(window, kKindMat, "123456");
    EXPECT_EQ(text(window, kKindMat), "12345");
    retype(window, kKstesn, "1.23456");  // more places than shown: rounded when stored
    EXPECT_EQ(text(window, kKstesn), "1.23456");

    retype(window, kNumber, "0");
    auto* sheet = qobject_cast<QTabWidget*>(window->control(1)->widget());
    sheet->setCurrentIndex(4);  // OK pressed from the notes
    press(window, kOk);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Номер смеры не может быть равен нулю!");
    EXPECT_EQ(messages.shown()[0].caption, "Error");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
    EXPECT_TRUE(window->isOpen());
    EXPECT_EQ(sheet->currentIndex(), 0);
    EXPECT_EQ(window->focusedControl(), kNumber);
    EXPECT_EQ(NumSmeta, 9);
    EXPECT_EQ(headerNumbers(), std::vector<int>{5});

    retype(window, kNumber, "6");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);
    EXPECT_EQ(NumSmeta, 6);
    const HeadersRecord h = storedHeader(6);
    EXPECT_EQ(h.KIND_MAT.value(), num("12345"));
    EXPECT_EQ(h.KSTESN_EM.value(), num("1.235"));  // four places shown, three stored
}

TEST_F(HeaderForm, AMemoOf1000CharactersRoundTripsAndA1001stIsRefused)
{
    addHeader(1, "Школа");
    change(1);
    ASSERT_TRUE(window);
    const QString line = QString(48, u'ж') + "\n";  // 50 as stored
    QString memo;
    for (int i = 0; i < 20; ++i) memo += line;
    auto* box = qobject_cast<ui::TextBox*>(window->control(kMemo)->widget());
    window->control(kMemo)->select();
    box->setPlainText(memo);
    box->moveCursor(QTextCursor::End);
    type(box, "я");
    EXPECT_EQ(box->toPlainText(), memo);
    // the name is a text box of 200
    auto* name = qobject_cast<ui::TextBox*>(window->control(kName)->widget());
    window->control(kName)->select();
    name->selectAll();
    type(name, QString(201, u'ш'));
    EXPECT_EQ(name->toPlainText(), QString(200, u'ш'));
    press(window, kOk);
    ASSERT_TRUE(ended());
    const HeadersRecord h = storedHeader(1);
    EXPECT_EQ(h.Primechanie.bytes().size(), 1000u);
    EXPECT_EQ(h.Primechanie.toQString(), ui::TextBox::storedText(memo));
    EXPECT_EQ(h.NAME.toQString(), QString(200, u'ш'));

    change(1);  // shown again as typed
    EXPECT_EQ(qobject_cast<ui::TextBox*>(window->control(kMemo)->widget())->toPlainText(), memo);
    press(window, kCancel);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 2);
}

TEST_F(HeaderForm, ARenumberedEstimateTakesItsSectionsAndLinesAndDeleteAsksFirst)
{
    addHeader(1, "Школа");
    addHeader(2, "Аптека");
    addSection(1, 1);
    addLines(1, 1, 2);
    change(1);
    retype(window, kNumber, "7");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(headerNumbers(), (std::vector<int>{2, 7}));
    EXPECT_EQ(sections(), (std::vector<test::Section>{{7, 1, "Раздел"}}));
    EXPECT_EQ(lines(), (std::vector<test::Line>{{7, 1, 1}, {7, 1, 2}}));

    messages.answer(BUTTON_YES);
    call(FileId::Headers, [] {
        ASSERT_TRUE(readHeader(7));
        ProcRequest() = ui::REQUEST::DeleteRecord;
        ui::callProcedure("UpdateHeaders");
    }, false);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Подтвердите Удаление");
    EXPECT_EQ(headerNumbers(), std::vector<int>{2});
    EXPECT_TRUE(sections().empty());
    EXPECT_TRUE(lines().empty());
}

TEST_F(HeaderForm, OkSetsNumSmetaEvenWhenTheStoreFailsAndTheFormStaysOpen)
{
    addHeader(1, "Школа");
    addHeader(2, "Аптека");
    NumSmeta = 9;
    change(2);
    retype(window, kNumber, "1");
    press(window, kOk);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Запись не обновляется");
    EXPECT_TRUE(window->isOpen());
    EXPECT_EQ(NumSmeta, 1);
    messages.answer(BUTTON_NO);
    press(window, kCancel);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 2);
    EXPECT_EQ(headerNumbers(), (std::vector<int>{1, 2}));
}

}  // namespace
