// Building the configuration image of full rule tables, against a bare parse
// of the same three documents with QDomDocument, in random order after a
// warm-up (paired_runs.h). Goal: the build takes less than 1.5 times the bare
// parse.
#include "output/bank_build.h"
#include "paired_runs.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamWriter>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// The documents as the editors store them: 40 general parameters, 244 enabled
// rules in each table with every attribute, 64 diagnosis entries.
void Write_Configuration(const QString& conf, int hardware_type) {
    QDir().mkpath(conf + "/bin");
    // The 40 elements in document order, Hardware_Type first.
    const char* const general[][2] = {
        {"Hardware_Type", "HW"},
        {"Ser_Type", "0"},
        {"Ser_Baud", "7"},
        {"Ser_Par", "0"},
        {"Ser_StopBits", "0"},
        {"Ser_DataBits", "1"},
        {"Ser_TO", "1000"},
        {"Ser_CD", "100"},
        {"Ser_Prot", "0"},
        {"Ser_Write_Mode", "0"},
        {"Ser_Enable_Modbus_PROFIBUS_Active", "0"},
        {"Profi_ID", "1"},
        {"Profi_Baud", "10"},
        {"Profi_NB_IN", "244"},
        {"Profi_NB_OUT", "244"},
        {"Profi_Enable_Error", "1"},
        {"Profi_Num_Cont_Err", "3"},
        {"Profi_Enable_Diagnosis", "0"},
        {"Profi_Enable_Cancel_Data", "0"},
        {"Profi_Diagnosis_Zero", "0"},
        {"Profi_Diagnosis_Copy_Array", "0"},
        {"Profi_Diagnosis_Copy_Array_Position", "100"},
        {"Profi_Enable_Async_Mod_Req", "0"},
        {"Profi_Async_Req_Start_IN", "0"},
        {"Profi_Async_Req_Start_OUT", "0"},
        {"Del_Modbus_on_PROFI_error", "0"},
        {"Profi_Enable_Error_Address", "0"},
        {"Ethernet_IP1", "192"},
        {"Ethernet_IP2", "168"},
        {"Ethernet_IP3", "0"},
        {"Ethernet_IP4", "10"},
        {"Ethernet_SM1", "255"},
        {"Ethernet_SM2", "255"},
        {"Ethernet_SM3", "255"},
        {"Ethernet_SM4", "0"},
        {"Ethernet_GAT1", "192"},
        {"Ethernet_GAT2", "168"},
        {"Ethernet_GAT3", "0"},
        {"Ethernet_GAT4", "1"},
        {"Ethernet_EN_GAT", "0"},
    };
    QByteArray pargen;
    {
        QXmlStreamWriter w(&pargen);
        w.writeStartElement("Par_Gen");
        for (const auto& [name, value] : general)
            w.writeTextElement(name,
                               QString(value) == "HW" ? QString::number(hardware_type) : QString(value));
        w.writeEndElement();
        w.writeComment("SW_VERSION = 2.110");
    }
    Write(conf + "/ParGen.xml", pargen);

    QByteArray sdo;
    {
        QXmlStreamWriter w(&sdo);
        w.writeStartElement("Serial_to_ProfiBus");
        for (const bool input : {true, false}) {
            w.writeStartElement(input ? "ProfiBUS_IN" : "ProfiBUS_OUT");
            for (int i = 0; i < 244; ++i) {
                w.writeStartElement("row");
                w.writeAttribute("Enable", "Y");
                w.writeAttribute("Slave_ID", QString::number(1 + i % 247));
                w.writeAttribute("Type", input ? "Input Register" : "Holding Register");
                w.writeAttribute("Address_Mod", QString::number(1000 + i));
                w.writeAttribute("NPoint", "1");
                w.writeAttribute("PollTime", "100");
                if (!input) {
                    w.writeAttribute("OnChange", "Y");
                    w.writeAttribute("OnCMD", "N");
                }
                w.writeAttribute("MaxError", "0");
                w.writeAttribute("Address_Profi", QString::number(i));
                w.writeAttribute("Bit", "0");
                w.writeAttribute("Swap", "N");
                if (!input)
                    w.writeAttribute("ForceF15F16", "N");
                w.writeAttribute("Mnemonic", QString("measurement %1").arg(i));
                w.writeEndElement();
            }
            w.writeEndElement();
        }
        w.writeEndElement();
        w.writeComment("SW_VERSION = 2.110");
    }
    Write(conf + "/sdo.xml", sdo);

    QByteArray diagnosis;
    {
        QXmlStreamWriter w(&diagnosis);
        w.writeStartElement("Modbus_IDs");
        for (int i = 1; i <= 64; ++i)
            w.writeTextElement("ID", QString::number(i));
        w.writeEndElement();
        w.writeComment("SW_VERSION = 2.110");
    }
    Write(conf + "/diagnosis.xml", diagnosis);
}

struct Configurations {
    QTemporaryDir dir;
    QString packed = dir.path() + "/packed";
    QString fixed = dir.path() + "/fixed";
    Configurations() {
        Write_Configuration(packed, 0);
        Write_Configuration(fixed, 1);
    }
};

const Configurations& Confs() {
    static const Configurations confs;
    return confs;
}

void Parse_Documents_Baseline(benchmark::State& state) {
    const QString conf = Confs().packed;
    for (auto _ : state) {
        for (const char* name : {"/ParGen.xml", "/sdo.xml", "/diagnosis.xml"}) {
            QFile file(conf + name);
            if (!file.open(QIODevice::ReadOnly))
                state.SkipWithError("cannot read");
            QDomDocument document;
            if (!document.setContent(&file))
                state.SkipWithError("cannot parse");
            benchmark::DoNotOptimize(document);
        }
    }
}
BENCHMARK(Parse_Documents_Baseline)->Unit(benchmark::kMicrosecond);

void Build_Bank_Packed(benchmark::State& state) {
    const QString conf = Confs().packed;
    for (auto _ : state) {
        Bank_Image image = Build_Bank(conf);
        benchmark::DoNotOptimize(image.Bytes.data());
    }
}
BENCHMARK(Build_Bank_Packed)->Unit(benchmark::kMicrosecond);

void Build_Bank_Fixed(benchmark::State& state) {
    const QString conf = Confs().fixed;
    for (auto _ : state) {
        Bank_Image image = Build_Bank(conf);
        benchmark::DoNotOptimize(image.Bytes.data());
    }
}
BENCHMARK(Build_Bank_Fixed)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return Run_Paired_Benchmarks(argc, argv,
                                 {{"Build_Bank_Packed", "Parse_Documents_Baseline", "< 1.5"},
                                  {"Build_Bank_Fixed", "Parse_Documents_Baseline", "< 1.5"}});
}
