<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CheckQURLItem</name>
    <message>
        <source>The video is part of the playlist. Do you want to download the clip only or download all palylist?</source>
        <translation>The video is part of the playlist. Do you want to download the clip only or download all palylist?</translation>
    </message>
    <message>
        <source>Download Clip</source>
        <translation>Download Clip</translation>
    </message>
    <message>
        <source>Download Playlist</source>
        <translation>Download Playlist</translation>
    </message>
</context>
<context>
    <name>DaVaVudIredaz</name>
    <message>
        <source>Clipwright</source>
        <translation>Clipwright</translation>
    </message>
    <message>
        <source>Ver: </source>
        <translation>Ver: </translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Check for Updates</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
</context>
<context>
    <name>DoRaDuvoZezavi</name>
    <message>
        <source>Loading..</source>
        <translation>Loading..</translation>
    </message>
    <message>
        <source>Clipwright</source>
        <translation>Clipwright</translation>
    </message>
</context>
<context>
    <name>LoadingWidget</name>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
</context>
<context>
    <name>MyMessageDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
</context>
</TS>
