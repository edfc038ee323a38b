<TS version="2.1">
<context>
<name>C</name>
</TS>
