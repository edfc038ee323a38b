<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/mainwindow.cpp" line="42"/>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <location filename="../src/mainwindow.cpp" line="43"/>
        <source>&amp;Save</source>
        <comment>file menu</comment>
        <extracomment>Saves the current file</extracomment>
        <translation type="unfinished">保存(&amp;S)</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/mainwindow.cpp" line="60"/>
        <source>%n file(s) saved</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Old text</source>
        <translation type="vanished">旧文本</translation>
    </message>
    <message>
        <source>Older text</source>
        <translation type="obsolete">更旧的文本</translation>
    </message>
    <message>
        <location filename="../src/mainwindow.cpp" line="70"/>
        <source>Quillet</source>
        <translatorcomment>不译</translatorcomment>
        <translation>Quillet</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <location filename="../src/dialog.cpp" line="12"/>
        <source>Cancel</source>
        <translation type="unfinished">取消</translation>
    </message>
    <message>
        <location filename="../src/dialog.cpp" line="13"/>
        <source>OK</source>
        <translation type="unfinished">确定</translation>
    </message>
    <message>
        <location filename="../src/dialog.cpp" line="20"/>
        <source>Line one
Line two</source>
        <translation>第一行
第二行</translation>
    </message>
</context>
</TS>
