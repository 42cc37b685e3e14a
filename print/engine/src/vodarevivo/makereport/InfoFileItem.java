package vodarevivo.makereport;

/** What the engine knows of one form, slip or note type: its number, short code, title and layout file. */
public class InfoFileItem
{
    public int nFormType;
    public String strCode;
    public String strTitle;
    public String strLayoutFile;

    public InfoFileItem(int nFormType, String strCode, String strTitle, String strLayoutFile)
    {
        this.nFormType = nFormType;
        this.strCode = strCode;
        this.strTitle = strTitle;
        this.strLayoutFile = strLayoutFile;
    }
}
