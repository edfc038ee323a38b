#include "ProcessingOptions.h"

ProcessingOptions ProcessingOptions::full()
{
    ProcessingOptions options;
    options.chkaAndX = true;
    options.chkaMTab = true;
    options.chkaBanMaoHao = true;
    options.chkaBanSenHao = true;
    options.chkaLTrimSpace = true;
    options.chkaRTrimSpace = true;
    options.chkaUpperCase = false;
    options.chkrAndXEER = true;
    options.chkrQuanMaoHao = true;
    options.chkrQuanSenHao = true;
    options.chkNotAddANDX = false;
    options.txtLenLimit = 999999999;
    options.txtrAndXBK1 = QStringLiteral(R"((?:\(|\[|\<|\{))");
    options.txtrAndXBK2 = QStringLiteral(R"((?:\)|\]|\>|\}))");
    options.txttAndXBK1 = QStringLiteral("(");
    options.txttAndXBK2 = QStringLiteral(")");
    return options;
}

ProcessingOptions ProcessingOptions::minimal()
{
    ProcessingOptions options;
    options.chkaAndX = false;
    options.chkaMTab = false;
    options.chkaBanMaoHao = false;
    options.chkaBanSenHao = false;
    options.chkaLTrimSpace = false;
    options.chkaRTrimSpace = false;
    options.chkaUpperCase = false;
    options.chkrAndXEER = false;
    options.chkrQuanMaoHao = false;
    options.chkrQuanSenHao = false;
    options.chkNotAddANDX = false;
    options.txtLenLimit = 50;
    options.txtrAndXBK1 = QStringLiteral(R"(\()");
    options.txtrAndXBK2 = QStringLiteral(R"(\))");
    options.txttAndXBK1 = QStringLiteral("(");
    options.txttAndXBK2 = QStringLiteral(")");
    return options;
}
