<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>C</name>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Preview...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>_Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open	Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First line
Second line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path C:\temp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Say "hi"</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关上</translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Spaced  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File: %s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
