#pragma once
// An estimate with an act, for the act's outputs: estimate 5 with the header of the totals
// chain's fixture (K 0.1, indices 1.2 / 1.1 / 1.05, overheads 0.95, one charge 1.02, VAT 0.18),
// its sections and work lines with their act quantities, the stored amounts those of the plan.

#include "platform/core/dates.h"
#include "tests/support/test_threads.h"
#include "tests/support/worked_rates.h"

#include <QString>

#include <functional>
#include <vector>

namespace test {

class ActEstimateFixture : public ThreadsFixture {
protected:
    static Decimal dec(const char* text) { return *Decimal::parse(text); }

    struct Work {
        int section;
        const char *act, *quantity, *price, *wages, *machines, *machinists;
        QString name = QStringLiteral("Работа");
    };
    // Line 1 done to a quarter, line 2 not at all.
    static std::vector<Work> twoWorks()
    {
        return {{1, "2.5", "10", "100", "30", "20", "5", QStringLiteral("Разработка грунта")},
                {1, "0", "5", "100", "20", "20", "4", QStringLiteral("Засыпка")}};
    }

    void addActEstimate(std::vector<Work> works = twoWorks(), const std::function<void(HeadersRecord&)>& header = {})
    {
        addRecords(FileId::Headers, 1, [&](int) {
            HeadersRecord& h = DFL();
            h.NUMBER = 5;
            h.NAME = "Ремонт кровли";
            h.NAMEOBJECT = "Школа №3";
            h.OSNOV = "Дефектная ведомость";
            h.DATEACT = dates::fromYmd(2009, 3, 5);
            h.Primechanie = QStringLiteral("Первая строка\r\nВторая строка");
            test::setWorkedRates(h);
            if (header) header(h);
        });
        const char* sections[] = {"Земляные работы", "Кровля"};
        addRecords(FileId::GroupsWks, 2, [&](int i) {
            GRO().NUMSMET = 5;
            GRO().NUMINSMETA = std::int16_t(i + 1);
            GRO().NAME = sections[i];
        });
        addRecords(FileId::WrksInSmt, int(works.size()), [&](int i) {
            const Work& w = works[std::size_t(i)];
            WrksInSmtRecord& l = NSB();
            l.CODER = 5;
            l.GRINSMETA = std::uint8_t(w.section);
            l.NUMINGROUP = std::int16_t(i + 1);
            l.NRAS = QStringLiteral("Е01-01-%1").arg(i + 1);
            l.NAME = w.name;
            l.EDIZM = "м3";
            l.ONAKT = dec(w.act);
            l.CHELCH = dec(w.quantity);
            l.CENA_OB = dec(w.price);
            l.CENA_TZ = dec(w.wages);
            l.EKSPLM = dec(w.machines);
            l.ZARPLM = dec(w.machinists);
            l.KCHELCHM = dec(w.quantity) * dec(w.price);
            l.VOZVRAT = dec(w.quantity) * dec(w.wages);
            l.ITEXPMASH = dec(w.quantity) * dec(w.machines);
            l.ITZARPMASH = dec(w.quantity) * dec(w.machinists);
        });
    }
};

}  // namespace test
