<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>&amp;Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>_Save</source>
        <translation>保存</translation>
    </message>
</context>
</TS>
