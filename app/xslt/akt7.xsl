<?xml version="1.0" encoding="UTF-8"?>
<!-- The act of completed work as its 7-column form, portrait; no note, as on paper. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<xsl:import href="tolvex-forms.xsl"/>

<xsl:template match="/smeta">
  <xsl:variable name="title"><xsl:text>Акт приемки работ по смете № </xsl:text><xsl:call-template name="number"/></xsl:variable>
  <html lang="ru">
    <xsl:call-template name="head">
      <xsl:with-param name="title" select="$title"/>
      <xsl:with-param name="page">portrait</xsl:with-param>
    </xsl:call-template>
    <body>
      <xsl:call-template name="approval"><xsl:with-param name="agreed" select="true()"/></xsl:call-template>
      <h1><xsl:value-of select="$title"/></h1>
      <xsl:call-template name="titles"/>
      <xsl:call-template name="table">
        <xsl:with-param name="wide" select="false()"/>
        <xsl:with-param name="act" select="true()"/>
      </xsl:call-template>
      <xsl:call-template name="totals"/>
      <xsl:call-template name="representatives"/>
    </body>
  </html>
</xsl:template>

</xsl:stylesheet>
