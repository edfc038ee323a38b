#pragma once

#include <QString>

// The option values one job reads, taken from the option controls at every start.
struct ProcessingOptions {
    bool chkaAndX = false;
    bool chkaMTab = false;
    bool chkaBanMaoHao = false;
    bool chkaBanSenHao = false;
    bool chkaLTrimSpace = false;
    bool chkaRTrimSpace = false;
    bool chkaUpperCase = false;
    bool chkrAndXEER = false;
    bool chkrQuanMaoHao = false;
    bool chkrQuanSenHao = false;
    bool chkNotAddANDX = false;
    bool chkaKeepTmpFile = false;
    bool chkSaveRefDB = false;
    int txtLenLimit = 50;
    QString txtrAndXBK1;
    QString txtrAndXBK2;
    QString txttAndXBK1;
    QString txttAndXBK2;
    QString txtSaveRefDB;
    // The character that marks an access key in each file: "&", "_" or "~".
    QChar todoMarker = u'&';
    QChar referenceMarker = u'&';

    // The full and the minimal preset as records (the job flags left off).
    static ProcessingOptions full();
    static ProcessingOptions minimal();
};
